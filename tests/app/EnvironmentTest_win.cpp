// Folders, the environment for Ghostscript, feature switches, identity, texts
// with language placeholders, companion starts and the shared UI resources.
#include "tests/app/AppTestSupport_win.h"

#include "app/BaseInstance.h"
#include "app/env/Companions.h"
#include "app/env/Environment.h"
#include "app/env/Features.h"
#include "app/env/FileHandlerArgs.h"
#include "app/env/Identity.h"
#include "app/env/LangPlaceholders.h"
#include "app/UiResources.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "suite/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <regex>
#include <stdexcept>

namespace {

ZString variable(const wchar_t* name)
{
    wchar_t buffer[32768];
    const DWORD n = GetEnvironmentVariableW(name, buffer, 32768);
    return n > 0 && n < 32768 ? ZString(buffer, static_cast<int>(n)) : ZString();
}

std::string failureOf(void (*action)())
{
    try {
        action();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "(no exception)";
}

// Keeps this process's PATH as it was.
struct PathGuard {
    ZString saved = variable(L"PATH");
    ~PathGuard() { SetEnvironmentVariableW(L"PATH", saved.c_str()); }
};

} // namespace

TEST(GhostscriptEnvironment, SetsPathOnceAndTheInterpreterVariables)
{
    TestInstallation installation;
    PathGuard guard;
    // The same folder written differently is named once.
    settingsStore_setStr(SettingsScope::Program, L"InstallDir", L"C:\\Tamlo\\App\\");
    settingsStore_setStr(SettingsScope::Program, L"BinDir", L"C:\\Tamlo\\App/");
    setGhostscriptEnvironment();
    const ZString path = variable(L"PATH");
    EXPECT_EQ(path, ZString(L"C:\\Tamlo\\App;C:\\Tamlo\\App\\gs\\bin;C:\\Tamlo\\App\\gs\\lib;") + guard.saved);
    setGhostscriptEnvironment();
    EXPECT_EQ(variable(L"PATH"), path);

    EXPECT_EQ(variable(L"GS_DLL"), L"C:\\Tamlo\\App\\gs\\bin\\gsdll32.dll");
    const ZString windows = stripTrailingSeparators(variable(L"SystemRoot"));
    ASSERT_FALSE(windows.isEmpty());
    EXPECT_EQ(variable(L"GS_LIB"),
              ZString(L"C:\\Tamlo\\App\\gs\\bin;C:\\Tamlo\\App\\gs\\lib;C:\\Tamlo\\App\\lib;") + windows + L"\\Fonts");
    for (const wchar_t* name : {L"TMP", L"TEMP", L"TMPDIR"})
        EXPECT_EQ(variable(name), tempFolder()) << name;

    // Different folders are both named, the installation first.
    settingsStore_setStr(SettingsScope::Program, L"BinDir", L"D:\\Bin");
    setGhostscriptEnvironment();
    EXPECT_TRUE(variable(L"PATH").startsWith(
        L"C:\\Tamlo\\App;D:\\Bin;C:\\Tamlo\\App\\gs\\bin;C:\\Tamlo\\App\\gs\\lib;C:\\Tamlo\\App;C:\\Tamlo"));
}

TEST(UserFolders, MissingSettingsAndUncreatableFoldersStopStartUp)
{
    TestInstallation installation(false);
    EXPECT_EQ(failureOf(ensureUserFolders), "USER_SKEY_PROG_USER_DIR not set in config");
    settingsStore_setStr(SettingsScope::User, L"LocalAppDataDir", installation.root() + L"\\u\\local");
    EXPECT_EQ(failureOf(ensureUserFolders), "USER_SKEY_ARCHIVE_DIR not set in config");
    settingsStore_setStr(SettingsScope::User, L"ArchiveDir", installation.root() + L"\\u\\archive");
    EXPECT_EQ(failureOf(ensureUserFolders), "USER_SKEY_FAVORITE_DIR not set in config");
    settingsStore_setStr(SettingsScope::User, L"FavoriteDir", installation.root() + L"\\u\\favorites\\deep");
    EXPECT_EQ(failureOf(ensureUserFolders), "(no exception)");
    EXPECT_TRUE(isFolder(installation.root() + L"\\u\\favorites\\deep"));

    // A folder that would have to live inside a file cannot be created.
    const ZString file = installation.document(L"plain.pdf");
    settingsStore_setStr(SettingsScope::User, L"ArchiveDir", file + L"\\archive");
    EXPECT_EQ(failureOf(ensureUserFolders), "App::checkDirectories() - Ordner konnte nicht angelegt werden");
}

TEST(UserFolders, ArchiveFolderOfTheMonth)
{
    TestInstallation installation(false);
    std::tm march = {};
    march.tm_year = 2024 - 1900;
    march.tm_mon = 2;
    march.tm_mday = 15;
    EXPECT_EQ(failureOf([] { archiveFolderOfThisMonth(); }), "USER_SKEY_ARCHIVE_DIR not set in config");
    settingsStore_setStr(SettingsScope::User, L"ArchiveDir", installation.root() + L"\\archive");
    createFolder(installation.root() + L"\\archive", false);
    const ZString folder = archiveFolderOfMonth(march);
    EXPECT_EQ(folder, installation.root() + L"\\archive\\03.2024");
    EXPECT_TRUE(isFolder(folder));
    EXPECT_EQ(archiveFolderOfMonth(march), folder); // an existing one is fine too
    settingsStore_setStr(SettingsScope::User, L"ArchiveDir", installation.root() + L"\\no\\parent");
    EXPECT_EQ(archiveFolderOfMonth(march), L"");
}

TEST(Features, SwitchesFollowTheirSettingsAndFaxNeedsItsProgram)
{
    TestInstallation installation;
    EXPECT_TRUE(isFeatureOn(L"fax"));
    deleteFile(joinPath(installation.binFolder(), kFaxProgram), false);
    EXPECT_FALSE(isFeatureOn(L"fax")); // missing even though "NoFax" is 0
    for (const wchar_t* name :
         {L"mail", L"embeddedBrowser", L"tamloMailInterface", L"twainImport", L"delayedToForegroundOnNewFile"}) {
        const ZString key = ZString(L"No") + ZString(name).substring(0, 0).toUpper() + ZString(name).substring(1);
        EXPECT_TRUE(isFeatureOn(name)) << key.toUtf8();
        settingsStore_setDword(SettingsScope::General, key.c_str(), 1);
        EXPECT_FALSE(isFeatureOn(name)) << key.toUtf8();
    }
    settingsStore_setDword(SettingsScope::General, L"NoSomethingElse", 1);
    EXPECT_TRUE(isFeatureOn(L"somethingElse"));
}

TEST(Identity, QueryStringEncodesEachFieldInOrder)
{
    IdentityRecord record;
    record.name = L"Tamlo-Quillet";
    record.version = L"8.3.0";
    record.lang = L"Deutsch (\xD6sterreich)";
    record.lcid = 3079;
    record.iid = L"a&b=c";
    record.uid = L"";
    record.cid = L"id 7";
    record.os = L"10,0,19045,2,0,0";
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
    handFilesToFaxProgram(FileHandlerArgs(L"C:\\Out\\", L"", L"", pdf, true));
    ASSERT_TRUE(installation.waitForCompanionCalls(1));
    openScannerImport();
    ASSERT_TRUE(installation.waitForCompanionCalls(2));
    extractPages(pdf);
    ASSERT_TRUE(installation.waitForCompanionCalls(3));
    openSettingsProgram(false);
    ASSERT_TRUE(installation.waitForCompanionCalls(4));
    const auto calls = installation.companionCalls();
    EXPECT_EQ(calls[0].first, L"tamlo-Faxer.exe");
    EXPECT_TRUE(calls[0].second.endsWith(ZString(L" -deleteFile -dir \"C:\\Out\" \"") + pdf + L"\""))
        << calls[0].second.toUtf8();
    EXPECT_EQ(calls[1].first, L"tamlo-Vistel.exe");
    EXPECT_TRUE(calls[1].second.endsWith(L" <twain>")) << calls[1].second.toUtf8();
    EXPECT_EQ(calls[2].first, L"tamlo-Vistel.exe");
    EXPECT_TRUE(calls[2].second.endsWith(ZString(L" -extractPages \"") + pdf + L"\"")) << calls[2].second.toUtf8();
    EXPECT_EQ(calls[3].first, L"tamlo-Setbox.exe");
    EXPECT_TRUE(companionExists(kBackgroundProgram));
    EXPECT_FALSE(companionExists(kUpdater));
}

TEST(UiResources, FontsAndImageListsForTheScreen)
{
    // The program's own resources, loaded as data.
    const HMODULE module =
        LoadLibraryExW(besideTestProgram(L"tamlo-Quillet.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const BaseInstance program(module, true);
    const UiResources resources(program);
    const int dpi = resources.dpi();
    const int heights[] = {14, 14, 14, 16, 16, 12, 24, 18};
    for (int i = 0; i < UiResources::FontCount; ++i) {
        LOGFONTW font = {};
        ASSERT_NE(resources.font(static_cast<UiResources::Font>(i)), nullptr);
        GetObjectW(resources.font(static_cast<UiResources::Font>(i)), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, heights[i] * dpi / 96) << i;
        EXPECT_STREQ(font.lfFaceName, L"Arial");
    }
    for (int i = 0; i < UiResources::kImageListCount; ++i) {
        HIMAGELIST list = resources.imageList(i);
        ASSERT_NE(list, nullptr) << i;
        int width = 0, height = 0;
        ImageList_GetIconSize(list, &width, &height);
        EXPECT_EQ(width, 16 * dpi / 96);
        EXPECT_EQ(height, width);
        EXPECT_EQ(ImageList_GetImageCount(list), 10);
    }
}
