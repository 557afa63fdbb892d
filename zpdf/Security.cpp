#include "zpdf/Security.h"

#include "zpdf/Aes.h"
#include "zpdf/Array.h"
#include "zpdf/Md5.h"
#include "zpdf/Names.h"
#include "zpdf/Primitives.h"
#include "zpdf/Rc4.h"
#include "zpdf/Sha2.h"
#include "zpdf/Stream.h"
#include "zpdf/String.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zpdf {

namespace {

// What an empty (or short) password is padded with.
constexpr uint8_t kPadding[32] = {0x28, 0xBF, 0x4E, 0x5E, 0x4E, 0x75, 0x8A, 0x41, 0x64, 0x00, 0x4E,
                                  0x56, 0xFF, 0xFA, 0x01, 0x08, 0x2E, 0x2E, 0x00, 0xB6, 0xD0, 0x68,
                                  0x3E, 0x80, 0x2F, 0x0C, 0xA9, 0xFE, 0x64, 0x53, 0x69, 0x7A};

std::vector<uint8_t> bytesOf(const DataBuffer& buffer) { return {buffer.data(), buffer.data() + buffer.length()}; }

bool nameIs(const IPtr<Object>& value, const char* text)
{
    const IPtr<Name> name = value ? value->toName() : nullptr;
    return name && name->bytes().equals(DataBuffer(text));
}

// A string entry's bytes (empty when absent).
std::vector<uint8_t> stringEntry(const Dict& dict, const char* key)
{
    const IPtr<Object> value = dict.get(IPtr<Name>(new Name(DataBuffer(key))));
    const IPtr<String> text = value ? value->toString() : nullptr;
    return text ? bytesOf(text->value()) : std::vector<uint8_t>();
}

int intEntry(const Dict& dict, const IPtr<Name>& key, int fallback)
{
    const IPtr<Number> value = dict.getNumber(key);
    return value ? value->intValue() : fallback;
}

// The method of a crypt filter named by "StmF" or "StrF".
Security::Method filterMethod(const Dict& encrypt, const char* key)
{
    const IPtr<Object> name = encrypt.get(IPtr<Name>(new Name(DataBuffer(key))));
    if (!name || nameIs(name, "Identity"))
        return Security::Method::None;
    const IPtr<Dict> filters = encrypt.getDict(IPtr<Name>(new Name(DataBuffer("CF"))));
    const IPtr<Name> filterName = name->toName();
    const IPtr<Dict> filter = filters && filterName ? filters->getDict(filterName) : nullptr;
    const IPtr<Object> method = filter ? filter->get(IPtr<Name>(new Name(DataBuffer("CFM")))) : nullptr;
    if (nameIs(method, "V2"))
        return Security::Method::Rc4;
    if (nameIs(method, "AESV2"))
        return Security::Method::Aes128;
    if (nameIs(method, "AESV3"))
        return Security::Method::Aes256;
    return Security::Method::None;
}

// The key of revisions 2 to 4 for the empty password.
std::vector<uint8_t> rc4EraKey(int revision, size_t keyBytes, const std::vector<uint8_t>& owner, int32_t permissions,
                               const DataBuffer& firstId, bool encryptMetadata)
{
    Md5 md5;
    md5.update(kPadding, 32);
    md5.update(owner.data(), std::min<size_t>(owner.size(), 32));
    uint8_t p[4];
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(static_cast<uint32_t>(permissions) >> (8 * i));
    md5.update(p, 4);
    md5.update(firstId);
    if (revision >= 4 && !encryptMetadata) {
        const uint8_t all[4] = {0xFF, 0xFF, 0xFF, 0xFF};
        md5.update(all, 4);
    }
    Md5::Digest digest = md5.finish();
    if (revision >= 3) {
        for (int i = 0; i < 50; ++i)
            digest = Md5::of(digest.data(), keyBytes);
    }
    return {digest.begin(), digest.begin() + static_cast<std::ptrdiff_t>(keyBytes)};
}

// Whether the key opens the document: the "U" entry it gives for the empty password.
bool rc4EraUserMatches(int revision, const std::vector<uint8_t>& key, const std::vector<uint8_t>& user,
                       const DataBuffer& firstId)
{
    if (revision == 2) {
        uint8_t expected[32];
        std::memcpy(expected, kPadding, 32);
        Rc4(key.data(), key.size()).apply(expected, 32);
        return user.size() >= 32 && std::equal(expected, expected + 32, user.begin());
    }
    Md5 md5;
    md5.update(kPadding, 32);
    md5.update(firstId);
    Md5::Digest expected = md5.finish();
    for (int i = 0; i < 20; ++i) {
        std::vector<uint8_t> round = key;
        for (uint8_t& b : round)
            b = static_cast<uint8_t>(b ^ i);
        Rc4(round.data(), round.size()).apply(expected.data(), expected.size());
    }
    return user.size() >= 16 && std::equal(expected.begin(), expected.end(), user.begin());
}

// The hash of revision 6 for the empty password (revision 5 takes the plain
// SHA-256 of the salt).
std::vector<uint8_t> aes256Hash(int revision, const uint8_t* salt)
{
    std::vector<uint8_t> k = sha256(salt, 8);
    if (revision < 6)
        return k;
    std::vector<uint8_t> e;
    for (int round = 0; round < 64 || e.back() > round - 32; ++round) {
        // The password is empty and there is no user key data.
        std::vector<uint8_t> k1;
        k1.reserve(k.size() * 64);
        for (int i = 0; i < 64; ++i)
            k1.insert(k1.end(), k.begin(), k.end());
        e = Aes(k.data(), 16).encryptCbc(k.data() + 16, k1.data(), k1.size(), false);
        unsigned sum = 0;
        for (int i = 0; i < 16; ++i)
            sum += e[static_cast<size_t>(i)];
        switch (sum % 3) {
        case 0: k = sha256(e.data(), e.size()); break;
        case 1: k = sha384(e.data(), e.size()); break;
        default: k = sha512(e.data(), e.size()); break;
        }
    }
    k.resize(32);
    return k;
}

} // namespace

std::unique_ptr<Security> Security::open(const Dict& encrypt, const DataBuffer& firstId)
{
    if (!nameIs(encrypt.get(kFilter), "Standard"))
        return nullptr;
    const int version = intEntry(encrypt, kV, 0);
    const int revision = intEntry(encrypt, kR, 0);
    const std::vector<uint8_t> owner = stringEntry(encrypt, "O");
    const std::vector<uint8_t> user = stringEntry(encrypt, "U");
    const IPtr<Object> metadata = encrypt.get(IPtr<Name>(new Name(DataBuffer("EncryptMetadata"))));
    const IPtr<Bool> metadataFlag = metadata ? metadata->toBool() : nullptr;

    std::unique_ptr<Security> security(new Security());
    security->m_encryptMetadata = !metadataFlag || metadataFlag->value();
    if (version == 1 || version == 2 || version == 4) {
        if (revision < 2 || revision > 4)
            return nullptr;
        const IPtr<Number> p = encrypt.getNumber(kP);
        if (!p)
            return nullptr;
        // Written signed or unsigned; only the low 32 bits count.
        const double value = p->value();
        const auto permissions = std::isfinite(value) && value >= -2147483648.0 && value <= 4294967295.0
                                     ? static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(value)))
                                     : 0;
        int bits = version == 1 ? 40 : intEntry(encrypt, kLength, version == 4 ? 128 : 40);
        if (bits <= 16)
            bits *= 8; // given in bytes
        const size_t keyBytes = revision == 2 ? 5 : static_cast<size_t>(std::clamp(bits / 8, 5, 16));
        security->m_key = rc4EraKey(revision, keyBytes, owner, permissions, firstId,
                                    version < 4 || security->m_encryptMetadata);
        if (!rc4EraUserMatches(revision, security->m_key, user, firstId))
            return nullptr;
        if (version == 4) {
            security->m_strings = filterMethod(encrypt, "StrF");
            security->m_streams = filterMethod(encrypt, "StmF");
        } else {
            security->m_strings = security->m_streams = Method::Rc4;
        }
        return security;
    }
    if (version == 5 && (revision == 5 || revision == 6)) {
        const std::vector<uint8_t> userKey = stringEntry(encrypt, "UE");
        if (user.size() < 48 || userKey.size() < 32)
            return nullptr;
        const std::vector<uint8_t> check = aes256Hash(revision, user.data() + 32);
        if (!std::equal(check.begin(), check.end(), user.begin()))
            return nullptr;
        const std::vector<uint8_t> intermediate = aes256Hash(revision, user.data() + 40);
        const uint8_t zeros[16] = {};
        security->m_key = Aes(intermediate.data(), 32).decryptCbc(zeros, userKey.data(), 32, false);
        security->m_strings = filterMethod(encrypt, "StrF");
        security->m_streams = filterMethod(encrypt, "StmF");
        return security;
    }
    return nullptr;
}

std::vector<uint8_t> Security::objectKey(Method method, int32_t number, int32_t generation) const
{
    if (method == Method::Aes256)
        return m_key;
    Md5 md5;
    md5.update(m_key.data(), m_key.size());
    const uint8_t id[5] = {static_cast<uint8_t>(number), static_cast<uint8_t>(number >> 8),
                           static_cast<uint8_t>(number >> 16), static_cast<uint8_t>(generation),
                           static_cast<uint8_t>(generation >> 8)};
    md5.update(id, 5);
    if (method == Method::Aes128)
        md5.update("sAlT", 4);
    const Md5::Digest digest = md5.finish();
    return {digest.begin(), digest.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(m_key.size() + 5, 16))};
}

DataBuffer Security::crypt(Method method, const DataBuffer& bytes, int32_t number, int32_t generation, bool encrypting,
                           uint32_t ordinal) const
{
    const std::vector<uint8_t> key = objectKey(method, number, generation);
    if (method == Method::Rc4) {
        DataBuffer out(bytes);
        if (!out.isEmpty())
            Rc4(key.data(), key.size()).apply(const_cast<unsigned char*>(out.data()), static_cast<size_t>(out.length()));
        return out;
    }
    const Aes aes(key.data(), key.size());
    if (encrypting) {
        // The vector comes from the key and the place of the data, so that
        // writing a document twice gives the same bytes.
        Md5 md5;
        md5.update(key.data(), key.size());
        const uint8_t place[12] = {static_cast<uint8_t>(number), static_cast<uint8_t>(number >> 8),
                                   static_cast<uint8_t>(number >> 16), static_cast<uint8_t>(number >> 24),
                                   static_cast<uint8_t>(generation), static_cast<uint8_t>(generation >> 8),
                                   static_cast<uint8_t>(ordinal), static_cast<uint8_t>(ordinal >> 8),
                                   static_cast<uint8_t>(ordinal >> 16), static_cast<uint8_t>(ordinal >> 24), 'i', 'v'};
        md5.update(place, sizeof place);
        const Md5::Digest iv = md5.finish();
        const std::vector<uint8_t> body =
            aes.encryptCbc(iv.data(), bytes.data(), static_cast<size_t>(bytes.length()), true);
        DataBuffer out(iv.data(), 16);
        out.append(body.data(), static_cast<int>(body.size()));
        return out;
    }
    if (bytes.length() < 32)
        return DataBuffer(); // no room for a vector and a padded block
    const std::vector<uint8_t> plain =
        aes.decryptCbc(bytes.data(), bytes.data() + 16, static_cast<size_t>(bytes.length() - 16), true);
    return DataBuffer(plain.data(), static_cast<int>(plain.size()));
}

void Security::transform(Object& root, int32_t number, int32_t generation, bool encrypting) const
{
    uint32_t ordinal = 0;
    std::vector<Object*> pending{&root};
    while (!pending.empty()) {
        Object* object = pending.back();
        pending.pop_back();
        switch (object->type()) {
        case ObjectType::Dict:
        case ObjectType::Trailer:
        case ObjectType::Array: {
            // Strings are replaced where they stand; containers are walked.
            const auto visit = [&](IPtr<Object>& value) {
                if (!value)
                    return;
                if (value->type() == ObjectType::String) {
                    if (m_strings != Method::None)
                        value = String::ofBytes(crypt(m_strings, static_cast<String*>(value.get())->value(), number,
                                                      generation, encrypting, ordinal++));
                } else if (value->type() == ObjectType::Dict || value->type() == ObjectType::Array) {
                    pending.push_back(value.get());
                }
            };
            if (object->type() == ObjectType::Array)
                static_cast<Array*>(object)->forEachElement(visit);
            else
                static_cast<Dict*>(object)->forEachValue(visit);
            break;
        }
        case ObjectType::Stream: {
            auto* stream = static_cast<Stream*>(object);
            const IPtr<Dict>& dict = stream->dict();
            if (!dict)
                break;
            pending.push_back(dict.get());
            const IPtr<Object> type = dict->get(kType);
            const IPtr<Object> filter = dict->get(kFilter);
            bool crypted = m_streams != Method::None && !nameIs(type, "XRef") &&
                           (m_encryptMetadata || !nameIs(type, "Metadata")) && !nameIs(filter, "Crypt");
            if (crypted && filter && filter->type() == ObjectType::Array) {
                for (const IPtr<Object>& f : *static_cast<const Array*>(filter.get()))
                    crypted = crypted && !nameIs(f, "Crypt");
            }
            if (crypted && stream->data()) {
                stream->data()->bytes() =
                    crypt(m_streams, stream->data()->bytes(), number, generation, encrypting, ordinal++);
                stream->updateLength();
            }
            break;
        }
        default:
            break;
        }
    }
}

void Security::decrypt(Object& object, int32_t number, int32_t generation) const
{
    transform(object, number, generation, false);
}

IPtr<Object> Security::encrypted(const Object& object, int32_t number, int32_t generation) const
{
    IPtr<Object> copy = object.clone();
    if (copy)
        transform(*copy, number, generation, true);
    return copy;
}

} // namespace zpdf
