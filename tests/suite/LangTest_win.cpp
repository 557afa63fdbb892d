#include "base/Files.h"
#include "base/Lang.h"
#include "base/Paths.h"
#include "suite/lang/LangCatalogue.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace {

LangTable shippedCatalogue()
{
    LangTable table;
    parseLangCatalogue(readFileBytes(sourcePath(L"resources/lang/en.txt")), table);
    return table;
}

// Every language key written as a literal in the program's sources.
void collectKeys(const ZString& folder, std::set<std::string>& keys)
{
    static const std::regex key("L\"((about|general|quillet|operations|format-options|inputBox|updater|vistel)/[^\"]+)\"");
    std::vector<ZString> files, folders;
    listFolder(folder, &files, &folders);
    for (const ZString& file : files) {
        const ZString ext = extensionOf(file);
        if (!ext.equals(L".cpp") && !ext.equals(L".h"))
            continue;
        const std::string text = readFileBytes(file);
        for (auto it = std::sregex_iterator(text.begin(), text.end(), key); it != std::sregex_iterator(); ++it)
            keys.insert((*it)[1].str());
    }
    for (const ZString& sub : folders)
        collectKeys(sub, keys);
}

} // namespace

TEST(LangCatalogue, ParsesKeysEscapesAndComments)
{
    LangTable table;
    parseLangCatalogue("\xEF\xBB\xBF# comment\r\n a/b = x=y\\n\\\\z\r\n\nbroken line\nc/~d=\xC3\xA4 {JOB_NAME}", table);
    EXPECT_EQ(table.size(), 2u);
    EXPECT_EQ(table[L"a/b"], ZString(L" x=y\n\\z"));
    EXPECT_EQ(table[L"c/~d"], ZString(L"\xE4 {JOB_NAME}"));
}

TEST(LangCatalogue, ShippedEnglishTextsAreComplete)
{
    const LangTable table = shippedCatalogue();
    ASSERT_GT(table.size(), 100u);
    for (const auto& [key, text] : table) {
        EXPECT_FALSE(ZString(text).trim().isEmpty()) << key.toUtf8();
    }
    std::set<std::string> used;
    for (const wchar_t* folder : {L"app", L"env", L"jobs", L"operations", L"explorer", L"viewer", L"web", L"xhtml", L"gui",
                                  L"suite", L"base", L"tools"})
        collectKeys(joinPath(sourcePath(L"."), folder), used); // folders still to come count as empty
    for (const std::string& k : used) {
        const ZString wide(std::wstring(k.begin(), k.end()));
        EXPECT_TRUE(table.count(wide)) << "language key used in code but missing from en.txt: " << k;
    }
}

TEST(LangService, ServesTextsAndMarksUnknownKeys)
{
    EXPECT_TRUE(lang_hasStr(L"general/error"));
    EXPECT_FALSE(lang_getStr(L"general/error").isEmpty());
    EXPECT_FALSE(lang_hasStr(L"no/such/key"));
    const ZString& missing = lang_getStr(L"no/such/key");
    EXPECT_EQ(missing, L"[[no/such/key]]");
    EXPECT_EQ(&missing, &lang_getStr(L"no/such/key")); // owned by the service, stable
    LangInfo info;
    lang_getCurrent(info);
    EXPECT_EQ(info.code, L"en");
}
