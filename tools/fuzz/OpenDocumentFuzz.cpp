#include "tools/fuzz/OpenDocumentFuzz.h"

#include "zpdf/BufferReader.h"
#include "zpdf/Composer.h"
#include "zpdf/Document.h"
#include "zpdf/Writer.h"

#include <climits>
#include <exception>
#include <memory>

namespace {

// Counts what a rewrite would write without keeping it.
class DiscardingWriter : public zpdf::Writer {
public:
    void writeChar(unsigned char) override { advance(1); }
    void writeBytes(const void*, int, int count) override { advance(count > 0 ? count : 0); }
    void flush() override {}
};

// Composes the first two pages (the first one twice when it is alone), the
// first turned, into a new document and writes it.
void compose(zpdf::Document& document)
{
    try {
        const int second = document.getPage(1) ? 1 : 0;
        zpdf::Composer composer({{&document, 0, 90}, {&document, second, 0}});
        while (composer.copyNextPage()) {
        }
        DiscardingWriter writer;
        composer.output().write(writer);
    } catch (const std::exception&) {
    }
}

void exercise(zpdf::Document& document)
{
    zpdf::DocumentInfo info;
    document.readInfo(info);
    compose(document);
    for (int i = 0; i < 64; ++i) {
        const zpdf::SharedRef<zpdf::Page> page = document.getPage(i);
        if (!page)
            break;
        page->getMediaBox();
        page->rotate(90 * i, i % 2 == 0);
    }
    try {
        document.addPage(200, 100);
    } catch (const std::exception&) {
    }
    DiscardingWriter writer;
    document.write(writer);
}

} // namespace

void fuzzOpenDocument(const uint8_t* data, size_t size)
{
    if (size > static_cast<size_t>(INT_MAX / 2))
        return;
    auto bytes = std::make_shared<zpdf::DataBuffer>(data, static_cast<int>(size));
    try {
        zpdf::Document document(zpdf::SharedRef<zpdf::Reader>(
            std::make_shared<zpdf::BufferReader>(zpdf::SharedRef<const zpdf::DataBuffer>(bytes))));
        exercise(document);
    } catch (const std::exception&) {
        // The library's exceptions, and bad_alloc for absurd sizes.
    }
}
