#include "zpdf/CrossReferences.h"

#include "zpdf/BufferReader.h"
#include "zpdf/Exceptions.h"
#include "zpdf/Names.h"
#include "zpdf/Primitives.h"
#include "zpdf/Reference.h"
#include "zpdf/Stream.h"

#include <deque>
#include <memory>
#include <set>
#include <utility>

namespace zpdf {

namespace {

constexpr int kTailSize = 1024;

// Queues the offset a trailer entry holds, when it holds a number.
void queueOffset(const Dict& trailer, const IPtr<Name>& key, std::deque<int>& queue)
{
    const IPtr<Object> value = trailer.get(key);
    if (value && value->type() == ObjectType::Number)
        queue.push_back(static_cast<const Number*>(value.get())->intValue());
}

} // namespace

IPtr<StartXRef> findStartXRef(Reader& reader)
{
    const int length = reader.length();
    const int start = length > kTailSize ? length - kTailSize : 0;
    auto tail = std::make_shared<DataBuffer>();
    reader.seek(start);
    reader.readBytes(*tail, length - start);
    const int at = tail->rfind("startxref");
    if (at < 0)
        return nullptr;
    Parser parser(std::make_shared<BufferReader>(SharedRef<const DataBuffer>(tail)), nullptr);
    parser.reader().seek(at);
    return parser.readStartXRef();
}

CrossReferences readCrossReferences(Parser& parser, int offset)
{
    Reader& r = parser.reader();
    CrossReferences result;
    result.xref = IPtr<XRef>(new XRef());
    std::deque<int> queue{offset};
    std::set<int> done;
    while (!queue.empty()) {
        const int at = queue.front();
        queue.pop_front();
        if (!done.insert(at).second)
            continue;
        r.seek(at);
        r.skipWsAndComments();
        IPtr<Dict> trailer;
        if (parser.isObjectHeader()) {
            const IPtr<Object> indirect = parser.readIndirect(Parser::LengthLookup::DirectOnly);
            const IPtr<Object> object = indirect ? static_cast<Indirect*>(indirect.get())->object() : nullptr;
            if (!object || object->type() != ObjectType::Stream)
                throw PdfException("No valid stream object");
            auto* stream = static_cast<Stream*>(object.get());
            trailer = stream->dict();
            result.xref->merge(std::move(*XRef::fromXRefStream(*stream)), false);
            queueOffset(*trailer, kPrev, queue);
        } else if (r.peekMatches("xref")) {
            result.xref->merge(std::move(*parser.readXRef()), false);
            r.skipWhitespace();
            if (!r.peekMatches("trailer"))
                throw PdfException("trailer not found");
            trailer = parser.readTrailer();
            if (!trailer)
                throw PdfException("Could not read trailer");
            queueOffset(*trailer, kPrev, queue);
            queueOffset(*trailer, kXRefStm, queue);
        } else {
            throw PdfException("xref not found");
        }
        if (!result.trailer)
            result.trailer = trailer->type() == ObjectType::Trailer ? IPtr<Trailer>(static_cast<Trailer*>(trailer.get()))
                                                                    : IPtr<Trailer>(new Trailer(*trailer));
    }
    return result;
}

} // namespace zpdf
