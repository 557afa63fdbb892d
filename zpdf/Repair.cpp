#include "zpdf/Repair.h"

#include "zpdf/BufferReader.h"
#include "zpdf/Exceptions.h"
#include "zpdf/Names.h"
#include "zpdf/ObjectLoader.h"
#include "zpdf/Primitives.h"
#include "zpdf/Reference.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <memory>

namespace zpdf {

namespace {

bool isSpace(unsigned char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t' || c == '\f' || c == '\b' || c == 0; }

bool isDelimiter(unsigned char c) { return std::strchr("()<>[]{}/%", c) != nullptr && c != 0; }

// The next position from `from` where text starts, or -1.
int find(const unsigned char* bytes, int length, int from, const char* text)
{
    const int n = static_cast<int>(std::strlen(text));
    for (int at = from; at + n <= length;) {
        const void* hit = std::memchr(bytes + at, text[0], static_cast<size_t>(length - n - at + 1));
        if (hit == nullptr)
            return -1;
        at = static_cast<int>(static_cast<const unsigned char*>(hit) - bytes);
        if (std::memcmp(bytes + at, text, static_cast<size_t>(n)) == 0)
            return at;
        ++at;
    }
    return -1;
}

// The unsigned number whose last digit is at end - 1, walking back; its
// first digit's position goes to start. False when there is no digit or it
// is too large.
bool numberBefore(const unsigned char* bytes, int end, int& start, long long& value)
{
    int p = end;
    while (p > 0 && bytes[p - 1] >= '0' && bytes[p - 1] <= '9' && end - p < 10)
        --p;
    if (p == end || (p > 0 && bytes[p - 1] >= '0' && bytes[p - 1] <= '9'))
        return false;
    value = 0;
    for (int i = p; i < end; ++i)
        value = value * 10 + (bytes[i] - '0');
    start = p;
    return true;
}

// The header "N G obj" whose keyword is at `at`: its offset, number and generation.
bool headerAt(const unsigned char* bytes, int length, int at, int& offset, int32_t& number, int32_t& generation)
{
    if (at + 3 < length && !isSpace(bytes[at + 3]) && !isDelimiter(bytes[at + 3]))
        return false;
    int p = at;
    while (p > 0 && isSpace(bytes[p - 1]))
        --p;
    long long g = 0;
    long long n = 0;
    int start = 0;
    if (p == at || !numberBefore(bytes, p, start, g))
        return false;
    p = start;
    const int afterNumber = p;
    while (p > 0 && isSpace(bytes[p - 1]))
        --p;
    if (p == afterNumber || !numberBefore(bytes, p, start, n))
        return false;
    if (start > 0 && !isSpace(bytes[start - 1]) && !isDelimiter(bytes[start - 1]))
        return false;
    if (n > INT_MAX || g > 65535)
        return false;
    offset = start;
    number = static_cast<int32_t>(n);
    generation = static_cast<int32_t>(g);
    return true;
}

bool isType(const Dict& dict, const IPtr<Name>& type)
{
    const IPtr<Object> value = dict.get(kType);
    return value && value->type() == ObjectType::Name &&
           static_cast<const Name*>(value.get())->bytes().equals(type->bytes());
}

// Past the data of a stream whose "stream" keyword is at `at`: after its
// "endstream", found through a direct "Length" when that is right.
int skipStream(const unsigned char* bytes, int length, int at, const Dict& dict)
{
    int data = at + 6;
    if (data < length && bytes[data] == '\r')
        ++data;
    if (data < length && bytes[data] == '\n')
        ++data;
    const IPtr<Object> value = dict.get(kLength);
    if (value && value->type() == ObjectType::Number) {
        const long long end = static_cast<long long>(data) + static_cast<const Number*>(value.get())->intValue();
        if (end >= data && end <= length) {
            int p = static_cast<int>(end);
            while (p < length && isSpace(bytes[p]))
                ++p;
            if (p + 9 <= length && std::memcmp(bytes + p, "endstream", 9) == 0)
                return p + 9;
        }
    }
    const int end = find(bytes, length, data, "endstream");
    return end < 0 ? data : end + 9;
}

} // namespace

ObjectScan scanObjects(Reader& reader)
{
    auto file = std::make_shared<DataBuffer>();
    reader.seek(0);
    reader.readBytes(*file, reader.length());
    const unsigned char* bytes = file->data();
    const int length = file->length();
    Parser parser(std::make_shared<BufferReader>(SharedRef<const DataBuffer>(file)), nullptr);
    Reader& r = parser.reader();

    ObjectScan scan;
    XRef::Entries entries;
    int nextObj = find(bytes, length, 0, "obj");
    int nextTrailer = find(bytes, length, 0, "trailer");
    int p = 0;
    while (nextObj >= 0 || nextTrailer >= 0) {
        if (nextTrailer >= 0 && (nextObj < 0 || nextTrailer < nextObj)) {
            if ((nextTrailer == 0 || isSpace(bytes[nextTrailer - 1])) &&
                (nextTrailer + 7 >= length || isSpace(bytes[nextTrailer + 7]) || bytes[nextTrailer + 7] == '<'))
                scan.trailerAt = nextTrailer;
            p = nextTrailer + 7;
        } else {
            int offset = 0;
            int32_t number = 0;
            int32_t generation = 0;
            p = nextObj + 3;
            if (headerAt(bytes, length, nextObj, offset, number, generation)) {
                XRefEntry entry;
                entry.number = number;
                entry.generation = generation;
                entry.offset = offset;
                entry.inUse = 1;
                entries.push_back(entry);
                // The object's dictionary says what it is; its stream data is
                // passed over, so that nothing inside counts as a header.
                try {
                    r.seek(p);
                    const IPtr<Object> object = parser.readObject();
                    if (object && object->type() == ObjectType::Dict) {
                        const auto* dict = static_cast<const Dict*>(object.get());
                        if (isType(*dict, kObjStm))
                            scan.objectStreams.push_back(number);
                        else if (isType(*dict, kXRef))
                            scan.xrefStreamAt = offset;
                        else if (isType(*dict, kCatalog))
                            scan.catalog = number;
                        // Other objects are not passed over: a string left
                        // open would hide every object after it.
                        r.skipWsAndComments();
                        if (r.peekMatches("stream"))
                            p = skipStream(bytes, length, r.tell(), *dict);
                    }
                } catch (const PdfException&) {
                } catch (const NumberFormatException&) {
                } catch (const IndexOutOfBoundsException&) {
                }
                p = std::max(p, nextObj + 3);
            }
        }
        if (nextObj >= 0 && nextObj < p)
            nextObj = find(bytes, length, p, "obj");
        if (nextTrailer >= 0 && nextTrailer < p)
            nextTrailer = find(bytes, length, p, "trailer");
    }
    scan.xref = IPtr<XRef>(new XRef(std::move(entries)));
    return scan;
}

IPtr<Trailer> scannedTrailer(Parser& parser, const ObjectScan& scan)
{
    Reader& r = parser.reader();
    IPtr<Trailer> trailer;
    try {
        if (scan.trailerAt >= 0 && scan.trailerAt > scan.xrefStreamAt) {
            r.seek(scan.trailerAt);
            trailer = parser.readTrailer();
        } else if (scan.xrefStreamAt >= 0) {
            // Only the dictionary counts: the stream's rows may be as broken
            // as the rest, its Length given by reference.
            r.seek(scan.xrefStreamAt);
            r.skipDigits();
            r.skipWsAndComments();
            r.skipDigits();
            r.skipWsAndComments();
            r.skip(3); // "obj"
            const IPtr<Object> object = parser.readObject();
            if (object && object->type() == ObjectType::Dict)
                trailer = IPtr<Trailer>(new Trailer(*static_cast<Dict*>(object.get())));
        }
    } catch (const PdfException&) {
    } catch (const NumberFormatException&) {
    } catch (const IndexOutOfBoundsException&) {
    }
    if (!trailer) {
        if (scan.catalog < 0 && scan.objectStreams.empty())
            return nullptr;
        trailer = IPtr<Trailer>(new Trailer());
    }
    if (!trailer->has(kRoot) && scan.catalog >= 0) {
        const XRefEntry* entry = scan.xref->get(scan.catalog);
        trailer->set(kRoot, IPtr<Object>(new Reference(scan.catalog, entry ? entry->generation : 0, parser.owner())));
    }
    return trailer;
}

int32_t packedCatalog(ObjectLoader& loader, const ObjectScan& scan)
{
    int32_t catalog = -1;
    for (const XRefEntry& entry : *scan.xref) {
        if (entry.compressed == 0)
            continue;
        try {
            const IPtr<Object> object = loader.loadObject(entry.number, 0);
            if (object && object->type() == ObjectType::Dict && isType(*static_cast<const Dict*>(object.get()), kCatalog))
                catalog = entry.number;
        } catch (const PdfException&) {
        } catch (const NumberFormatException&) {
        } catch (const IndexOutOfBoundsException&) {
        } catch (const UnsupportedException&) {
        }
    }
    return catalog;
}

void addObjectStreamEntries(ObjectLoader& loader, ObjectScan& scan)
{
    // Where each number's definition lies, to let the later one count.
    std::map<int32_t, int> placed;
    for (const int32_t stream : scan.objectStreams) {
        const XRefEntry* streamEntry = scan.xref->get(stream);
        if (streamEntry == nullptr || streamEntry->compressed != 0)
            continue;
        const int at = streamEntry->offset;
        std::vector<int32_t> numbers;
        try {
            numbers = loader.objectStreamNumbers(stream);
        } catch (const PdfException&) {
        } catch (const NumberFormatException&) {
        } catch (const IndexOutOfBoundsException&) {
        } catch (const UnsupportedException&) {
        }
        for (size_t index = 0; index < numbers.size(); ++index) {
            const int32_t number = numbers[index];
            if (number == stream || number < 0)
                continue;
            const XRefEntry* entry = scan.xref->get(number);
            const auto known = placed.find(number);
            const int previous = known != placed.end() ? known->second : (entry != nullptr ? entry->offset : -1);
            if (previous > at)
                continue;
            scan.xref->add(number, stream, static_cast<int32_t>(index), true, true);
            placed[number] = at;
        }
    }
}

} // namespace zpdf
