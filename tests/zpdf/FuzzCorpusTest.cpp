#include "tests/support/TestSupport.h"
#include "tools/fuzz/OpenDocumentFuzz.h"
#include "zpdf/Document.h"

#include <gtest/gtest.h>

#include <filesystem>

// The seed corpus of the document fuzz target: every seed goes through the
// fuzz target's work, and every seed is a document the library reads.
TEST(FuzzCorpus, SeedsOpenAndSurviveTheFuzzTarget)
{
    const ZString folder = sourcePath(L"tools/fuzz/corpus");
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(folder.toStdString()))) {
        const ZString path(entry.path().wstring());
        const std::string bytes = readFileBytes(path);
        ASSERT_FALSE(bytes.empty()) << path.toUtf8();
        fuzzOpenDocument(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        zpdf::Document document(path);
        EXPECT_GT(document.getPageCount(), 0) << path.toUtf8();
        ++seeds;
    }
    EXPECT_GE(seeds, 8);
}
