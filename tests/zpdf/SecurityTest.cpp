#include "tests/support/TestSupport.h"
#include "tests/zpdf/Ghostscript.h"
#include "tests/zpdf/PdfBuilder.h"
#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/Aes.h"
#include "zpdf/Md5.h"
#include "zpdf/Objects.h"
#include "zpdf/Rc4.h"
#include "zpdf/Sha2.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zpdf;

namespace {

std::string hex(const uint8_t* bytes, size_t count)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

std::string hex(const std::vector<uint8_t>& bytes) { return hex(bytes.data(), bytes.size()); }

std::vector<uint8_t> unhex(const std::string& text)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < text.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
    return bytes;
}

ZString fixture(const wchar_t* name) { return sourcePath((std::wstring(L"tests/zpdf/fixtures/") + name).c_str()); }

int rotationOf(Document& doc, int index)
{
    const IPtr<Number> rotate = doc.getPage(index)->dict()->getNumber(kRotate);
    return rotate ? rotate->intValue() : 0;
}

} // namespace

// Known answers of the published test vectors.
TEST(Ciphers, KnownAnswers)
{
    const auto abc = reinterpret_cast<const uint8_t*>("abc");
    const Md5::Digest md5 = Md5::of(abc, 3);
    EXPECT_EQ(hex(md5.data(), md5.size()), "900150983cd24fb0d6963f7d28e17f72");
    const std::string million(1000000, 'a');
    EXPECT_EQ(hex(sha256(reinterpret_cast<const uint8_t*>(million.data()), million.size())),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
    EXPECT_EQ(hex(sha256(abc, 3)), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(hex(sha384(abc, 3)), "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded1631a8b605a43ff5bed"
                                   "8086072ba1e7cc2358baeca134c825a7");
    EXPECT_EQ(hex(sha512(abc, 3)), "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a"
                                   "2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f");

    uint8_t text[] = {'P', 'l', 'a', 'i', 'n', 't', 'e', 'x', 't'};
    Rc4(reinterpret_cast<const uint8_t*>("Key"), 3).apply(text, sizeof text);
    EXPECT_EQ(hex(text, sizeof text), "bbf316e8d940af0ad3");

    const std::vector<uint8_t> plain = unhex("00112233445566778899aabbccddeeff");
    const std::vector<uint8_t> key = unhex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f");
    for (const auto& [keyBytes, expected] :
         {std::make_pair(16, "69c4e0d86a7b0430d8cdb78070b4c55a"), std::make_pair(32, "8ea2b7ca516745bfeafc49904b496089")}) {
        const Aes aes(key.data(), static_cast<size_t>(keyBytes));
        uint8_t block[16];
        aes.encryptBlock(plain.data(), block);
        EXPECT_EQ(hex(block, 16), expected);
        aes.decryptBlock(block, block);
        EXPECT_EQ(hex(block, 16), hex(plain));
    }
    // CBC with padding: a whole block of padding after whole blocks.
    const Aes aes(key.data(), 16);
    const std::vector<uint8_t> sealed = aes.encryptCbc(key.data() + 16, plain.data(), 16, true);
    EXPECT_EQ(sealed.size(), 32u);
    EXPECT_EQ(hex(aes.decryptCbc(key.data() + 16, sealed.data(), sealed.size(), true)), hex(plain));
}

// Files made by qpdf (tests/zpdf/fixtures/make-encrypted.sh): three pages,
// the second rotated by 90 degrees, a title, object streams.
TEST(EncryptedDocuments, EmptyUserPasswordOpensAndRewrites)
{
    ScratchFolder folder;
    const struct {
        const wchar_t* file;
        int keyLength;
    } files[] = {{L"rc4-40.pdf", 40}, {L"rc4-128.pdf", 128}, {L"aes-128.pdf", 128}, {L"aes-256.pdf", 256}};
    for (const auto& f : files) {
        const std::string name = ZString(f.file).toUtf8();
        Document doc(fixture(f.file));
        EXPECT_TRUE(doc.decrypts()) << name;
        DocumentInfo info;
        doc.readInfo(info);
        EXPECT_EQ(info.error, L"") << name;
        EXPECT_EQ(info.pageCount, 3) << name;
        EXPECT_EQ(info.encrypted, 1) << name;
        EXPECT_EQ(info.keyLength, f.keyLength) << name;
        EXPECT_EQ(info.title, L"Encrypted (test) file") << name;
        EXPECT_EQ(rotationOf(doc, 1), 90) << name;
        const IPtr<Object> contents = doc.getPage(0)->dict()->get(kContents)->resolve();
        ASSERT_TRUE(contents && contents->type() == ObjectType::Stream) << name;
        static_cast<Stream*>(contents.get())->removeFilter();
        EXPECT_EQ(toString(static_cast<Stream*>(contents.get())->data()->bytes()),
                  "BT /F1 24 Tf 40 100 Td (Page text) Tj ET") << name;

        // Rotated and rewritten: still encrypted the same way, and readable.
        doc.getPage(0)->rotate(270, false);
        const ZString path = folder.file((L"rewritten-" + std::wstring(f.file)).c_str());
        ASSERT_TRUE(doc.save(path)) << name;
        Document again(path);
        EXPECT_TRUE(again.decrypts()) << name;
        DocumentInfo reread;
        again.readInfo(reread);
        EXPECT_EQ(reread.pageCount, 3) << name;
        EXPECT_EQ(reread.title, L"Encrypted (test) file") << name;
        EXPECT_EQ(rotationOf(again, 0), 270) << name;
        EXPECT_EQ(rotationOf(again, 1), 90) << name;
        const std::string once = written(again);
        EXPECT_EQ(written(*openBytes(once)), once) << name << ": rewriting settles on the same bytes";
        if (ghostscriptAvailable()) {
            std::string output;
            EXPECT_EQ(ghostscriptPageCount(path, output), 3) << name << "\n" << output;
        }
    }
}

TEST(EncryptedDocuments, RealUserPasswordStaysClosed)
{
    Document doc(fixture(L"user-password.pdf"));
    EXPECT_FALSE(doc.decrypts());
    DocumentInfo info;
    doc.readInfo(info);
    EXPECT_EQ(info.encrypted, 1);
    EXPECT_EQ(info.keyLength, 128);
    EXPECT_EQ(info.pageCount, -1);
    EXPECT_EQ(info.error, L"ZLib decompression error") << "its page tree lies in an encrypted object stream";
    EXPECT_EQ(info.title, L"");
}
