#include "tests/support/TestSupport.h"
#include "tools/fuzz/MarkupFuzz.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

// The seed corpus of the markup fuzz target and the program's own documents go
// through the fuzz target's work whole, cut short and with single characters
// changed.
TEST(FuzzCorpus, SeedsAndShippedDocumentsSurviveTheFuzzTarget)
{
    std::vector<ZString> files;
    for (const auto& entry : std::filesystem::directory_iterator(sourcePath(L"tools/fuzz/markup-corpus").toStdString()))
        files.emplace_back(entry.path().wstring());
    for (const auto& entry : std::filesystem::directory_iterator(sourcePath(L"resources/markup").toStdString()))
        if (entry.path().extension() == ".xhtml")
            files.emplace_back(entry.path().wstring());
    EXPECT_GE(files.size(), 7u);
    for (const ZString& path : files) {
        const std::string bytes = readFileBytes(path);
        ASSERT_FALSE(bytes.empty()) << path.toUtf8();
        const auto fuzz = [](const std::string& data) {
            fuzzMarkup(reinterpret_cast<const uint8_t*>(data.data()), data.size());
        };
        for (size_t at = 0; at <= bytes.size(); at += 3) {
            fuzz(bytes.substr(0, at));
            if (at < bytes.size()) {
                std::string damaged = bytes;
                damaged[at] = "<>/\"'&;#{}"[at % 10];
                fuzz(damaged);
            }
        }
    }
}
