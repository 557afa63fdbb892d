// Streams: a dictionary followed by raw bytes ("stream" ... "endstream").
//
// The data is kept encoded, as read. removeFilter decodes it in place through
// every filter named in "Filter" (FlateDecode with PNG predictors,
// ASCIIHexDecode, ASCII85Decode, RunLengthDecode) and drops "Filter" and
// "DecodeParms"; compress deflates a stream that has no filter. After every
// change of the data "Length" holds its byte count.
#pragma once

#include "zpdf/DataBuffer.h"
#include "zpdf/Dict.h"
#include "zpdf/Object.h"

namespace zpdf {

// The raw bytes of a stream, as they stand in the file.
class StreamData : public Object {
public:
    StreamData() : Object(ObjectType::StreamData) {}
    explicit StreamData(const DataBuffer& bytes) : Object(ObjectType::StreamData), m_bytes(bytes) {}

    const DataBuffer& bytes() const { return m_bytes; }
    DataBuffer& bytes() { return m_bytes; }

    void write(Writer& writer) const override;
    IPtr<Object> clone() const override;
    using Object::equals;
    bool equals(const Object* other) const override;

private:
    DataBuffer m_bytes;
};

class Name;

class Stream : public Object {
public:
    // An empty stream: empty dictionary, no data, "Length" 0.
    Stream();
    Stream(const IPtr<Dict>& dict, const IPtr<StreamData>& data)
        : Object(ObjectType::Stream), m_dict(dict), m_data(data)
    {
    }

    const IPtr<Dict>& dict() const { return m_dict; }
    const IPtr<StreamData>& data() const { return m_data; }

    // Decodes every filter of "Filter" in order, with its "DecodeParms", then
    // removes both keys and updates "Length". Nothing happens without a
    // "Filter". PdfException for a malformed "Filter" or "DecodeParms" and for
    // zlib failures, UnsupportedException for filters and predictors the
    // library lacks. After a failure the data may be partly decoded while
    // "Filter" still names every filter: the stream is then unusable.
    void removeFilter();
    // Decodes one filter over the current data and replaces it; params may be
    // null. "Length" is left to the caller.
    void decode(const IPtr<Name>& filter, const IPtr<Dict>& params);
    // Deflates the data of a stream without "Filter" and sets "Filter" to
    // FlateDecode; a stream that has a filter stays unchanged.
    void compress();
    // Sets "Length" to the byte count of the data.
    void updateLength();

    void write(Writer& writer) const override;
    IPtr<Object> clone() const override;
    using Object::equals;
    bool equals(const Object* other) const override;

private:
    IPtr<Dict> m_dict;
    IPtr<StreamData> m_data;
};

} // namespace zpdf
