#include "zpdf/Parser.h"

#include "zpdf/Array.h"
#include "zpdf/Dict.h"
#include "zpdf/Exceptions.h"
#include "zpdf/Name.h"
#include "zpdf/Names.h"
#include "zpdf/Primitives.h"
#include "zpdf/Reference.h"
#include "zpdf/Stream.h"
#include "zpdf/String.h"
#include "zpdf/XRef.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace zpdf {

// Counts one level of nesting for as long as it lives.
class Parser::DepthGuard {
public:
    explicit DepthGuard(Parser& parser) : m_parser(parser)
    {
        if (parser.m_depth >= kMaxDepth)
            throw PdfException("readObject: Objekte zu tief verschachtelt");
        ++parser.m_depth;
    }
    ~DepthGuard() { --m_parser.m_depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    Parser& m_parser;
};

namespace {

// Returns the reader to its mark when the scope ends, however it ends.
class MarkScope {
public:
    explicit MarkScope(Reader& reader) : m_reader(reader) { reader.mark(); }
    ~MarkScope() { m_reader.reset(); }
    MarkScope(const MarkScope&) = delete;
    MarkScope& operator=(const MarkScope&) = delete;

private:
    Reader& m_reader;
};

// Whether two unsigned integers and then the keyword lie ahead, with white
// space and comments between them; the position is kept.
bool numberPairThen(Reader& r, const char* keyword)
{
    MarkScope scope(r);
    if (r.skipDigits() == 0)
        return false;
    r.skipWsAndComments();
    if (r.skipDigits() == 0)
        return false;
    r.skipWsAndComments();
    return r.peekMatches(keyword);
}

// Reads "number generation keyword" as numberPairThen found it; returns the
// two numbers.
std::pair<int, int> readNumberPair(Reader& r, const char* keyword)
{
    const int number = r.readInt();
    r.skipWsAndComments();
    const int generation = r.readInt();
    r.skipWsAndComments();
    r.skip(static_cast<int>(std::strlen(keyword)));
    return {number, generation};
}

// Shows where a stream's data ended instead of "endstream": the next 100
// bytes between two lines of asterisks. The position is kept.
void printMissingEndstream(Reader& reader)
{
    const std::string stars(37, '*');
    std::string text = "\r\n" + stars + "\r\n";
    const int start = reader.tell();
    for (int i = 0; i < 100; ++i) {
        const int c = reader.readByte();
        if (c < 0)
            break;
        if (c == '\r' || c == '\n') {
            text += "\r\n";
            if (c == '\r' && i + 1 < 100 && reader.peekIs('\n')) {
                reader.readByte();
                ++i;
            }
        } else {
            text += static_cast<char>(c);
        }
    }
    reader.seek(start);
    text += "\r\n" + stars + "\r\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

// The position of the first "endstream" from `from` on, or -1; the reader's
// position is left anywhere.
int findEndstream(Reader& reader, int from)
{
    static const char keyword[] = "endstream";
    constexpr int kKeyword = 9;
    constexpr int kChunk = 64 * 1024;
    reader.seek(from);
    DataBuffer window;
    int windowStart = from;
    for (;;) {
        const int before = window.length();
        if (reader.readBytes(window, kChunk) == 0)
            return -1;
        const unsigned char* bytes = window.data();
        const int start = std::max(0, before - kKeyword + 1);
        for (int i = start; i + kKeyword <= window.length(); ++i) {
            if (bytes[i] == 'e' && std::memcmp(bytes + i, keyword, kKeyword) == 0)
                return windowStart + i;
        }
        // Keep the last few bytes: the keyword may straddle two chunks.
        const int keep = std::min(window.length(), kKeyword - 1);
        DataBuffer tail(bytes + window.length() - keep, keep);
        windowStart += window.length() - keep;
        window = std::move(tail);
    }
}

} // namespace

Parser::Parser(const SharedRef<Reader>& reader, ObjectOwner* owner) : m_owner(owner), m_reader(reader) {}

IPtr<Object> Parser::readObject()
{
    Reader& r = *m_reader;
    r.skipWsAndComments();
    const int c = r.peekByte();
    if (c == '[')
        return readArray();
    if (c == '/')
        return readName();
    if (r.peekMatches("<<"))
        return readDictionary();
    if (c == '(' || c == '<')
        return readString();
    if (r.peekMatches("null"))
        return readNull();
    if (r.peekMatches("true") || r.peekMatches("false"))
        return readBool();
    if (isReference())
        return readReference();
    if (r.isNumberNext())
        return readNumber();
    return nullptr;
}

IPtr<Object> Parser::readArray()
{
    DepthGuard depth(*this);
    Reader& r = *m_reader;
    r.skip(1);
    IPtr<Array> array(new Array());
    for (;;) {
        r.skipWsAndComments();
        if (r.peekIs(']'))
            break;
        const IPtr<Object> element = readObject();
        if (!element)
            throw PdfException("readArray: Fehler beim Lesen von Array Elementen");
        array->append(element);
    }
    r.skip(1);
    return array;
}

IPtr<Dict> Parser::readDictionary()
{
    DepthGuard depth(*this);
    Reader& r = *m_reader;
    r.skip(2);
    Dict::Entries entries;
    for (;;) {
        r.skipWsAndComments();
        if (r.peekMatches(">>"))
            break;
        if (!r.peekIs('/'))
            throw PdfException("readDictionary: Name konnte nicht gelesen werden");
        IPtr<Name> key = readName();
        IPtr<Object> value = readObject();
        if (!value)
            throw PdfException("readDictionary: Es konnte kein Object gelesen werden");
        entries.emplace_back(std::move(key), std::move(value));
    }
    r.skip(2);
    IPtr<Dict> dict(new Dict());
    dict->assignEntries(std::move(entries));
    return dict;
}

IPtr<Name> Parser::readName()
{
    Reader& r = *m_reader;
    r.skip(1);
    DataBuffer bytes;
    r.readUntil(bytes, Reader::kNameDelimiters, Reader::kNameDelimiterCount);
    if (bytes.isEmpty())
        throw PdfException("readName: Konnte Name nicht lesen");
    return internName(bytes);
}

IPtr<Name> Parser::internName(const DataBuffer& bytes)
{
    if (const IPtr<Name>* known = findWellKnownName(bytes))
        return *known;
    const std::string_view key(reinterpret_cast<const char*>(bytes.data()), static_cast<size_t>(bytes.length()));
    const auto it = m_names.find(key);
    if (it != m_names.end())
        return it->second;
    IPtr<Name> name(new Name(bytes));
    const DataBuffer& own = name->bytes();
    m_names.emplace(std::string_view(reinterpret_cast<const char*>(own.data()), static_cast<size_t>(own.length())), name);
    return name;
}

IPtr<Object> Parser::readString()
{
    Reader& r = *m_reader;
    DataBuffer raw;
    if (r.peekIs('<')) {
        for (int c = r.readByte(); c >= 0; c = r.readByte()) {
            raw.append(static_cast<unsigned char>(c));
            if (c == '>')
                break;
        }
    } else if (r.peekIs('(')) {
        int depth = 0;
        for (int c = r.readByte(); c >= 0; c = r.readByte()) {
            raw.append(static_cast<unsigned char>(c));
            if (c == '\\') {
                const int escaped = r.readByte();
                if (escaped < 0)
                    break;
                raw.append(static_cast<unsigned char>(escaped));
            } else if (c == '(') {
                ++depth;
            } else if (c == ')' && --depth == 0) {
                break;
            }
        }
    } else {
        throw PdfException("readString: String beginnt nicht mit '(' oder '<'");
    }
    return IPtr<Object>(new String(raw));
}

IPtr<Object> Parser::readNumber()
{
    DataBuffer text;
    m_reader->readNumberText(text);
    return IPtr<Object>(new Number(text.toDouble(), NumberKind::Automatic));
}

IPtr<Object> Parser::readBool()
{
    if (m_reader->peekMatches("true")) {
        m_reader->skip(4);
        return IPtr<Object>(new Bool(true));
    }
    m_reader->skip(5);
    return IPtr<Object>(new Bool(false));
}

IPtr<Object> Parser::readNull()
{
    m_reader->skip(4);
    return Null::instance();
}

bool Parser::isReference() { return numberPairThen(*m_reader, "R"); }

IPtr<Object> Parser::readReference()
{
    const auto [number, generation] = readNumberPair(*m_reader, "R");
    return IPtr<Object>(new Reference(number, generation, m_owner));
}

bool Parser::isObjectHeader() { return numberPairThen(*m_reader, "obj"); }

IPtr<Object> Parser::readIndirect(LengthLookup lookup)
{
    DepthGuard depth(*this);
    Reader& r = *m_reader;
    r.skipWsAndComments();
    const auto [number, generation] = readNumberPair(r, "obj");
    IPtr<Object> object = readObject();
    if (!object) {
        throw PdfException(lookup == LengthLookup::DirectOnly ? "readIndirect: Konnte Object nicht lesen"
                                                              : "readIndirect: Konnte kein Object lesen");
    }
    if (object->type() == ObjectType::Dict) {
        r.skipWsAndComments();
        if (r.peekMatches("stream")) {
            IPtr<Dict> dict(static_cast<Dict*>(object.get()));
            IPtr<Object> length = dict->get(kLength);
            if (lookup == LengthLookup::ThroughOwner) {
                if (length && length->type() == ObjectType::Reference) {
                    // Loading the length moves the reader; come back here afterwards.
                    MarkScope scope(r);
                    length = length->resolve();
                }
                if (!length)
                    throw PdfException("readIndirect: Length nicht vorhanden");
            }
            if (!length || length->type() != ObjectType::Number)
                throw PdfException("readIndirect: Length nicht gesetzt oder Length keine Nummer");
            const int declared = static_cast<const Number*>(length.get())->intValue();
            const IPtr<StreamData> data = readStreamData(declared);
            IPtr<Stream> stream(new Stream(dict, data));
            // A Length that missed "endstream" was corrected by readStreamData.
            if (data->bytes().length() != declared)
                stream->updateLength();
            object = stream;
        }
    }
    return IPtr<Object>(new Indirect(number, generation, object, m_owner));
}

IPtr<StreamData> Parser::readStreamData(int length)
{
    Reader& r = *m_reader;
    r.skip(6); // "stream"
    r.skipEOL();
    const int start = r.tell();
    IPtr<StreamData> data(new StreamData());
    if (length > 0) {
        // Room for the data at once, but never for more than the reader holds.
        data->bytes().reserve(std::min(length, std::max(r.length() - r.tell(), 0)));
        r.readBytes(data->bytes(), length);
    }
    r.skipWsAndComments();
    if (r.peekMatches("endstream")) {
        r.skip(9);
        return data;
    }
    // A wrong Length: the data runs up to the first "endstream" instead,
    // without the line end before it.
    const int missed = r.tell();
    const int end = findEndstream(r, start);
    if (end < 0) {
        r.seek(missed);
        printMissingEndstream(r);
        throw PdfException("readStreamData: endstream not found");
    }
    int dataEnd = end;
    r.seek(start);
    DataBuffer bytes;
    r.readBytes(bytes, end - start);
    if (dataEnd > start && bytes.at(dataEnd - start - 1) == '\n')
        --dataEnd;
    if (dataEnd > start && bytes.at(dataEnd - start - 1) == '\r')
        --dataEnd;
    data->bytes().assign(bytes.data(), dataEnd - start);
    r.seek(end + 9);
    return data;
}

IPtr<Trailer> Parser::readTrailer()
{
    Reader& r = *m_reader;
    r.skip(7); // "trailer"
    r.skipWsAndComments();
    if (!r.peekMatches("<<"))
        return nullptr;
    const IPtr<Dict> dict = readDictionary();
    return IPtr<Trailer>(new Trailer(*dict));
}

IPtr<StartXRef> Parser::readStartXRef()
{
    Reader& r = *m_reader;
    r.skip(9); // "startxref"
    r.skipWsAndComments();
    return IPtr<StartXRef>(new StartXRef(r.readInt()));
}

bool Parser::readHeader(DataBuffer& version)
{
    Reader& r = *m_reader;
    r.seek(0);
    DataBuffer head;
    if (r.readBytes(head, 8) != 8 || !head.startsWith(0, "%PDF-"))
        return false;
    const unsigned char major = head.at(5);
    const unsigned char minor = head.at(7);
    if (major < '0' || major > '9' || head.at(6) != '.' || minor < '0' || minor > '9')
        return false;
    version.assign(head.data() + 5, 3);
    return true;
}

namespace {

bool isWhitespaceByte(unsigned char c) { return c == ' ' || c == '\r' || c == '\t' || c == '\n' || c == '\b' || c == '\f' || c == 0; }

// A plain run of digits at p (no sign, no decimal point, not at the end of
// the bytes), as the reader's readInt would take it; false for anything else.
bool scanPlainInt(const unsigned char* bytes, int length, int& p, int& value)
{
    long long v = 0;
    const int start = p;
    while (p < length && bytes[p] >= '0' && bytes[p] <= '9') {
        v = std::min(v * 10 + (bytes[p] - '0'), static_cast<long long>(INT_MAX) + 1);
        ++p;
    }
    if (p == start || p >= length || bytes[p] == '.')
        return false;
    value = static_cast<int>(std::min(v, static_cast<long long>(INT_MAX)));
    return true;
}

bool skipPlainWhitespace(const unsigned char* bytes, int length, int& p)
{
    while (p < length && isWhitespaceByte(bytes[p]))
        ++p;
    return p < length && bytes[p] != '%';
}

// One table entry (offset, generation, state byte) from bytes in memory,
// where it has the plain form of nearly every file. False when it has not
// (comments, signs, decimal points) or runs past the bytes: the reader then
// takes it the careful way.
bool scanEntry(const unsigned char* bytes, int length, int& p, int& offset, int& generation, int& state)
{
    int q = p;
    if (!skipPlainWhitespace(bytes, length, q) || !scanPlainInt(bytes, length, q, offset) ||
        !skipPlainWhitespace(bytes, length, q) || !scanPlainInt(bytes, length, q, generation) ||
        !skipPlainWhitespace(bytes, length, q))
        return false;
    state = bytes[q++];
    p = q;
    return true;
}

constexpr int kEntryWindow = 64 * 1024;

} // namespace

IPtr<XRef> Parser::readXRef()
{
    Reader& r = *m_reader;
    r.skip(4); // "xref"
    XRef::Entries entries;
    const auto add = [&entries](long long number, int offset, int generation, int state) {
        if (state != 'n' && state != 'f')
            throw PdfException("readXRef: state weder n noch f");
        if (number > INT_MAX)
            return;
        XRefEntry entry;
        entry.number = static_cast<int32_t>(number);
        entry.generation = generation;
        entry.offset = offset;
        entry.inUse = state == 'n' ? 1 : 0;
        entries.push_back(entry);
    };
    for (;;) {
        r.skipWsAndComments();
        if (!r.isDigitNext())
            break;
        const long long first = r.readInt();
        r.skipWsAndComments();
        const int count = r.readInt();
        int i = 0;
        while (i < count) {
            // The entries ahead are scanned in memory, a window at a time.
            const int start = r.tell();
            DataBuffer window;
            r.readBytes(window, static_cast<int>(std::min<long long>((count - i) * 20LL + 64, kEntryWindow)));
            int p = 0;
            int offset = 0;
            int generation = 0;
            int state = 0;
            while (i < count && scanEntry(window.data(), window.length(), p, offset, generation, state)) {
                if (state != 'n' && state != 'f')
                    r.seek(start + p);
                add(first + i, offset, generation, state);
                ++i;
            }
            r.seek(start + p);
            if (i < count && p == 0) {
                r.skipWsAndComments();
                offset = r.readInt();
                r.skipWsAndComments();
                generation = r.readInt();
                r.skipWsAndComments();
                add(first + i, offset, generation, r.readByte());
                ++i;
            }
        }
    }
    return IPtr<XRef>(new XRef(std::move(entries)));
}

} // namespace zpdf
