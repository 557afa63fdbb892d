// Folders, the environment for Ghostscript, feature switches, identity, texts
// with language placeholders, companion starts and the shared UI resources.
#include "tests/app/AppTestSupport_win.h"

#include "app/BaseInstance.h"
#include "env/Companions.h"
#include "env/Environment.h"
#include "env/Features.h"
#include "env/FileHandlerArgs.h"
#include "env/Identity.h"
#include "env/LangPlaceholders.h"
#include "app/UiResources.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "suite/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <regex>
#include <stdexcept>

namespace {

std::string failureOf(void (*action)())
{
    try {
        action();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "(no exception)";
}

} // namespace

TEST(GhostscriptEnvironment, SetsPathOnceAndTheInterpreterVariables)
{
    TestInstallation installation; // restores the environment
    const ZString saved = environmentVariable(L"PATH");
    // The same folder written differently is named once.
    settingsStore_setStr(SettingsScope::Program, L"InstallDir", L"C:\\Tamlo\\App\\");
    settingsStore_setStr(SettingsScope::Program, L"BinDir", L"C:\\Tamlo\\App/");
    setGhostscriptEnvironment();
    const ZString path = environmentVariable(L"PATH");
    EXPECT_EQ(path, L"C:\\Tamlo\\App;C:\\Tamlo\\App\\gs\\bin;C:\\Tamlo\\App\\gs\\lib;" + saved);
    setGhostscriptEnvironment();
    EXPECT_EQ(environmentVariable(L"PATH"), path);

    EXPECT_EQ(environmentVariable(L"GS_DLL"), L"C:\\Tamlo\\App\\gs\\bin\\gsdll32.dll");
    const ZString windows = stripTrailingSeparators(environmentVariable(L"SystemRoot"));
    ASSERT_FALSE(windows.isEmpty());
    EXPECT_EQ(environmentVariable(L"GS_LIB"),
              L"C:\\Tamlo\\App\\gs\\bin;C:\\Tamlo\\App\\gs\\lib;C:\\Tamlo\\App\\lib;" + windows + L"\\Fonts");
    for (const wchar_t* name : {L"TMP", L"TEMP", L"TMPDIR"})
        EXPECT_EQ(environmentVariable(name), tempFolder()) << name;

    // Different folders are both named, the installation first.
    settingsStore_setStr(SettingsScope::Program, L"BinDir", L"D:\\Bin");
    setGhostscriptEnvironment();
    EXPECT_TRUE(environmentVariable(L"PATH").startsWith(
        L"C:\\Tamlo\\App;D:\\Bin;C:\\Tamlo\\App\\gs\\bin;C:\\Tamlo\\App\\gs\\lib;C:\\Tamlo\\App;C:\\Tamlo"));
}

TEST(UserFolders, MissingSettingsAndUncreatableFoldersStopStartUpAndTheArchiveHasAFolderAMonth)
{
    TestInstallation installation(false);
    const std::pair<const wchar_t*, const char*> settings[] = {
        {L"LocalAppDataDir", "USER_SKEY_PROG_USER_DIR not set in config"},
        {L"ArchiveDir", "USER_SKEY_ARCHIVE_DIR not set in config"},
        {L"FavoriteDir", "USER_SKEY_FAVORITE_DIR not set in config"},
    };
    EXPECT_EQ(failureOf([] { archiveFolderOfThisMonth(); }), "USER_SKEY_ARCHIVE_DIR not set in config");
    for (const auto& [key, failure] : settings) {
        EXPECT_EQ(failureOf(ensureUserFolders), failure);
        settingsStore_setStr(SettingsScope::User, key, installation.root() + L"\\u\\" + key + L"\\deep");
    }
    EXPECT_EQ(failureOf(ensureUserFolders), "(no exception)");
    EXPECT_TRUE(isFolder(installation.root() + L"\\u\\FavoriteDir\\deep"));

    std::tm march = {};
    march.tm_year = 2024 - 1900;
    march.tm_mon = 2;
    march.tm_mday = 15;
    const ZString folder = archiveFolderOfMonth(march);
    EXPECT_EQ(folder, installation.root() + L"\\u\\ArchiveDir\\deep\\03.2024");
    EXPECT_TRUE(isFolder(folder));
    EXPECT_EQ(archiveFolderOfMonth(march), folder); // an existing one is fine too

    settingsStore_setStr(SettingsScope::User, L"ArchiveDir", installation.root() + L"\\no\\parent");
    EXPECT_EQ(archiveFolderOfMonth(march), L"");
    // A folder that would have to live inside a file cannot be created.
    settingsStore_setStr(SettingsScope::User, L"ArchiveDir", installation.document(L"plain.pdf") + L"\\archive");
    EXPECT_EQ(failureOf(ensureUserFolders), "App::checkDirectories() - Ordner konnte nicht angelegt werden");
}

TEST(Features, SwitchesFollowTheirSettingsAndFaxNeedsItsProgram)
{
    TestInstallation installation;
    settingsStore_setDword(SettingsScope::Program, L"NoEmbeddedBrowser", 0); // the test installation's choice
    EXPECT_TRUE(isFeatureOn(L"fax"));
    deleteFile(joinPath(installation.binFolder(), kFaxProgram), false);
    EXPECT_FALSE(isFeatureOn(L"fax")); // missing even though "NoFax" is 0
    for (const wchar_t* name :
         {L"mail", L"embeddedBrowser", L"tamloMailInterface", L"twainImport", L"delayedToForegroundOnNewFile"}) {
        const ZString key = L"No" + ZString(name).substring(0, 0).toUpper() + ZString(name).substring(1);
        EXPECT_TRUE(isFeatureOn(name)) << key.toUtf8();
        settingsStore_setDword(SettingsScope::General, key.c_str(), 1);
        EXPECT_FALSE(isFeatureOn(name)) << key.toUtf8();
    }
    settingsStore_setDword(SettingsScope::General, L"NoSomethingElse", 1);
    EXPECT_TRUE(isFeatureOn(L"somethingElse"));
}

TEST(Identity, QueryStringEncodesEachFieldInOrder)
{
    const IdentityRecord record{L"Tamlo-Quillet", L"8.3.0", L"Deutsch (\xD6sterreich)", 3079,
                                L"a&b=c", L"", L"id 7", L"10,0,19045,2,0,0"};
    EXPECT_EQ(identityQueryString(record, L""),
              L"name=Tamlo-Quillet&version=8.3.0&lang=Deutsch%20%28%c3%96sterreich%29&lcid=3079&iid=a%26b%3dc&uid="
              L"&cid=id%207");
    EXPECT_EQ(identityQueryString(record, L"0a1b2c3d4e"), identityQueryString(record, L"") + L"&random=0a1b2c3d4e");

    TestInstallation installation;
    settingsStore_setStr(SettingsScope::Program, L"InstallationID", L"inst-1");
    settingsStore_setStr(SettingsScope::User, L"UserId", L"user-2");
    settingsStore_setStr(SettingsScope::Program, L"QuilletID", L"q-3");
    const IdentityRecord own = identityRecord();
    EXPECT_EQ(own.lang, L"English");
    EXPECT_TRUE(std::regex_match(own.os.toStdString(), std::wregex(L"\\d+,\\d+,\\d+,\\d+,\\d+,\\d+")));
    const std::wstring query = identityQueryString(true).toStdString();
    EXPECT_TRUE(std::regex_match(query, std::wregex(L"name=Tamlo-Quillet&version=8\\.3\\.0&lang=English&lcid=\\d+"
                                                    L"&iid=inst-1&uid=user-2&cid=q-3&random=[0-9a-z]{10}")))
        << ZString(query).toUtf8();
}

TEST(LangPlaceholders, ExpandsWithOrWithoutThePrefix)
{
    EXPECT_EQ(expandLangPlaceholders(L"[{lang/general/error}]"), L"[Error]");
    EXPECT_EQ(expandLangPlaceholders(L"{lang/error}, {lang/info} and {lang/error}", L"general/"),
              L"Error, Information and Error");
    // A name that has no text under the prefix is looked up alone.
    EXPECT_EQ(expandLangPlaceholders(L"{lang/general/ok}!", L"quillet/"), L"OK!");
    EXPECT_EQ(expandLangPlaceholders(L"{lang/no/such/key} {lang/general/yes}"), L"{lang/no/such/key} Yes");
    // An unclosed placeholder ends the expansion: what came before is expanded, nothing after.
    EXPECT_EQ(expandLangPlaceholders(L"{lang/general/no} {lang/general/ok"), L"No {lang/general/ok");
    EXPECT_EQ(expandLangPlaceholders(L"plain"), L"plain");
}

TEST(Companions, StartWithTheirCommandLines)
{
    TestInstallation installation;
    const ZString pdf = installation.document(L"to extract.pdf");
    const struct {
        std::function<void()> start;
        const wchar_t* program;
        ZString ending;
    } starts[] = {
        {[&] { handFilesToFaxProgram(FileHandlerArgs(L"C:\\Out\\", L"", L"", pdf, true)); }, kFaxProgram,
         L" -deleteFile -dir \"C:\\Out\" \"" + pdf + L"\""},
        {[] { openScannerImport(); }, kConversionTool, L" <twain>"},
        {[&] { extractPages(pdf); }, kConversionTool, L" -extractPages \"" + pdf + L"\""},
        {[] { openSettingsProgram(false); }, kSettingsProgram, L""},
    };
    for (size_t i = 0; i < std::size(starts); ++i) {
        starts[i].start();
        ASSERT_TRUE(installation.waitForCompanionCalls(i + 1));
        EXPECT_EQ(installation.companionCalls()[i].first, starts[i].program);
        EXPECT_TRUE(installation.companionCalls()[i].second.endsWith(starts[i].ending)) << i;
    }
    EXPECT_TRUE(companionExists(kBackgroundProgram));
    EXPECT_FALSE(companionExists(kUpdater));
}

TEST(UiResources, FontsAndImageListsForTheScreen)
{
    // The program's own resources, loaded as data.
    const HMODULE module = LoadLibraryExW(besideTests(L"tamlo-Quillet.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const BaseInstance program(module, true);
    const UiResources resources(program);
    const int dpi = resources.dpi();
    const int heights[] = {14, 14, 14, 16, 16, 12, 24, 18};
    for (int i = 0; i < UiResources::FontCount; ++i) {
        LOGFONTW font = {};
        ASSERT_EQ(GetObjectW(resources.font(static_cast<UiResources::Font>(i)), sizeof font, &font), int(sizeof font));
        EXPECT_EQ(font.lfHeight, heights[i] * dpi / 96) << i;
        EXPECT_STREQ(font.lfFaceName, L"Arial");
    }
    for (int i = 0; i < UiResources::kImageListCount; ++i) {
        int width = 0, height = 0;
        ASSERT_TRUE(ImageList_GetIconSize(resources.imageList(i), &width, &height)) << i;
        EXPECT_TRUE(width == 16 * dpi / 96 && height == width);
        EXPECT_EQ(ImageList_GetImageCount(resources.imageList(i)), 10);
    }
}
