#include "zpdf/Stream.h"

#include "zpdf/Array.h"
#include "zpdf/Exceptions.h"
#include "zpdf/Filters.h"
#include "zpdf/Names.h"
#include "zpdf/Primitives.h"
#include "zpdf/Writer.h"

namespace zpdf {

void StreamData::write(Writer& writer) const
{
    writer.writeString("stream\r\n");
    writer.writeBuffer(m_bytes);
    writer.writeString("\r\nendstream");
}

IPtr<Object> StreamData::clone() const { return IPtr<Object>(new StreamData(m_bytes)); }

bool StreamData::equals(const Object* other) const
{
    return other != nullptr && other->type() == ObjectType::StreamData &&
           static_cast<const StreamData*>(other)->m_bytes.equals(m_bytes);
}

Stream::Stream() : Object(ObjectType::Stream), m_dict(new Dict()), m_data(new StreamData())
{
    updateLength();
}

void Stream::write(Writer& writer) const
{
    if (m_dict)
        m_dict->write(writer);
    writer.writeString("\r\n");
    if (m_data)
        m_data->write(writer);
}

IPtr<Object> Stream::clone() const
{
    IPtr<Dict> dict = m_dict ? dynamicCast<Dict>(m_dict->clone()) : nullptr;
    IPtr<StreamData> data = m_data ? dynamicCast<StreamData>(m_data->clone()) : nullptr;
    return IPtr<Object>(new Stream(dict, data));
}

namespace {

bool sameOrEqual(const IPtr<Object>& a, const IPtr<Object>& b) { return a ? a->equals(b) : !b; }

} // namespace

bool Stream::equals(const Object* other) const
{
    if (other == nullptr || other->type() != ObjectType::Stream)
        return false;
    const auto* stream = static_cast<const Stream*>(other);
    return sameOrEqual(m_dict, stream->m_dict) && sameOrEqual(m_data, stream->m_data);
}

// --- filters ---

namespace {

// A number parameter of a filter's parameters, or its default.
int intParam(const IPtr<Dict>& params, const IPtr<Name>& key, int fallback)
{
    const IPtr<Number> value = params->getNumber(key);
    return value ? value->intValue() : fallback;
}

DataBuffer decodeFlate(const DataBuffer& data, const IPtr<Dict>& params)
{
    DataBuffer inflated = flateDecode(data);
    if (!params)
        return inflated;
    const int predictor = intParam(params, kPredictor, 1);
    if (predictor == 1)
        return inflated;
    if (predictor < 10)
        throw UnsupportedException("Predictor less than 10 not supported");
    PredictorParams layout;
    layout.columns = intParam(params, kColumns, 1);
    layout.colors = intParam(params, kColors, 1);
    layout.bitsPerComponent = intParam(params, kBitsPerComponent, 8);
    return undoPngPredictor(inflated, layout);
}

bool isAbsent(const IPtr<Object>& value) { return !value || value->type() == ObjectType::Null; }

} // namespace

void Stream::decode(const IPtr<Name>& filter, const IPtr<Dict>& params)
{
    if (!m_data)
        m_data = IPtr<StreamData>(new StreamData());
    DataBuffer& bytes = m_data->bytes();
    const DataBuffer* name = filter ? &filter->bytes() : nullptr;
    if (name != nullptr && name->equals(kFlateDecode->bytes()))
        bytes = decodeFlate(bytes, params);
    else if (name != nullptr && name->equals(kASCIIHexDecode->bytes()))
        bytes = asciiHexDecode(bytes);
    else if (name != nullptr && name->equals(kASCII85Decode->bytes()))
        bytes = ascii85Decode(bytes);
    else if (name != nullptr && name->equals(kRunLengthDecode->bytes()))
        bytes = runLengthDecode(bytes);
    else
        throw UnsupportedException("Stream::decode: Passender Decoder nicht vorhanden");
}

void Stream::removeFilter()
{
    if (!m_dict)
        return;
    const IPtr<Object> filter = m_dict->get(kFilter);
    if (!filter)
        return;
    const IPtr<Object> parms = m_dict->get(kDecodeParms);
    if (filter->type() == ObjectType::Array) {
        if (!isAbsent(parms) && parms->type() != ObjectType::Array)
            throw PdfException("DecodeParms must be an array");
        const auto* filters = static_cast<const Array*>(filter.get());
        const auto* list = isAbsent(parms) ? nullptr : static_cast<const Array*>(parms.get());
        for (int i = 0; i < filters->size(); ++i) {
            const IPtr<Object> element = list != nullptr ? list->get(i) : nullptr;
            const IPtr<Object>& name = filters->at(i);
            decode(name ? name->toName() : nullptr, element ? element->toDict() : nullptr);
        }
    } else if (filter->type() == ObjectType::Name) {
        if (!isAbsent(parms) && parms->type() != ObjectType::Dict)
            throw PdfException("DecodeParms must be a dictionary");
        decode(IPtr<Name>(static_cast<Name*>(filter.get())),
               isAbsent(parms) ? nullptr : IPtr<Dict>(static_cast<Dict*>(parms.get())));
    } else {
        throw PdfException("removeFilter() - Filter value not valid");
    }
    m_dict->remove(kFilter);
    m_dict->remove(kDecodeParms);
    updateLength();
}

void Stream::compress()
{
    if (!m_dict)
        m_dict = IPtr<Dict>(new Dict());
    if (m_dict->has(kFilter))
        return;
    if (!m_data)
        m_data = IPtr<StreamData>(new StreamData());
    m_data->bytes() = flateEncode(m_data->bytes());
    m_dict->set(kFilter, kFlateDecode);
    updateLength();
}

void Stream::updateLength()
{
    if (!m_dict)
        m_dict = IPtr<Dict>(new Dict());
    const int length = m_data ? m_data->bytes().length() : 0;
    m_dict->set(kLength, IPtr<Object>(new Number(length, NumberKind::Integer)));
}

} // namespace zpdf
