#include "tests/support/TestSupport.h"
#include "tests/zpdf/PdfBuilder.h"
#include "tools/fuzz/OpenDocumentFuzz.h"
#include "zpdf/Document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace zpdf;

// The seed corpus of the document fuzz target, and the sample Ghostscript
// made: every file, whole and damaged, goes through the fuzz target's work
// (no crash, no hang); it opens, and its rewrites keep the pages and settle
// on the same bytes.
TEST(FuzzCorpus, SeedsSurviveTheFuzzTargetAndRewriteStably)
{
    std::vector<ZString> files = {sourcePath(L"samples/sample.pdf")};
    for (const auto& entry : std::filesystem::directory_iterator(sourcePath(L"tools/fuzz/corpus").toStdString()))
        files.emplace_back(entry.path().wstring());
    EXPECT_GE(files.size(), 9u);
    for (const ZString& path : files) {
        const std::string bytes = readFileBytes(path);
        ASSERT_FALSE(bytes.empty()) << path.toUtf8();
        // The fuzz target's work on the file, on the file cut short and with
        // single bytes changed.
        const auto fuzz = [](const std::string& data) {
            fuzzOpenDocument(reinterpret_cast<const uint8_t*>(data.data()), data.size());
        };
        fuzz(bytes);
        testing::internal::CaptureStdout(); // the parser's diagnostics of short streams
        for (size_t at = 5; at < bytes.size(); at += 23) {
            std::string damaged = bytes;
            damaged[at] = static_cast<char>(damaged[at] ^ (at % 2 == 0 ? 0x01 : 0x5A));
            fuzz(damaged);
            fuzz(bytes.substr(0, at));
        }
        testing::internal::GetCapturedStdout();
        Document document(path);
        EXPECT_GT(document.getPageCount(), 0) << path.toUtf8();
        // The first rewrite still holds Lengths given by reference, the second no longer.
        const auto first = openBytes(written(document));
        EXPECT_EQ(first->getPageCount(), document.getPageCount()) << path.toUtf8();
        const std::string second = written(*first);
        EXPECT_EQ(written(*openBytes(second)), second) << path.toUtf8();
    }
}
