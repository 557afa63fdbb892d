#include "base/MessageBox.h"
#include "base/Paths.h"
#include "base/Settings.h"
#include "suite/settings/SettingsStore.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <thread>
#include <vector>

namespace {
class SettingsTest : public testing::Test {
protected:
    void SetUp() override { settingsStore_setFolder(m_scratch.path()); }
    void TearDown() override { settingsStore_setFolder(ZString()); }
    ScratchFolder m_scratch;
};
} // namespace

TEST_F(SettingsTest, MissingKeysGiveTheCallersDefault)
{
    EXPECT_EQ(userConfig_getStr(L"Nothing", L"fallback"), L"fallback");
    EXPECT_EQ(userConfig_getDword(L"Nothing", 7u), 7u);
    EXPECT_EQ(progConfig_getStr(L"InstallDir", L""), L"");
    EXPECT_EQ(config_getDword(L"NoFax", 0u), 0u);
}

TEST_F(SettingsTest, UserWritesPersistAtOnceWithEveryCharacter)
{
    const ZString odd(L"  \"C:\\Program Files\\x\" \x00E4\x20AC\x4E2D ");
    userConfig_setStr(L"Odd", odd);
    userConfig_setStr(L"Empty", L"");
    userConfig_setDword(L"Count", 4000000000u);
    EXPECT_EQ(userConfig_getStr(L"Odd", L""), odd);
    EXPECT_EQ(userConfig_getStr(L"Empty", L"default"), L"");
    EXPECT_EQ(userConfig_getDword(L"Count", 0), 4000000000u);
    // Written to the user's file, not the other scopes.
    EXPECT_FALSE(readFileBytes(joinPath(m_scratch.path(), L"user.ini")).empty());
    EXPECT_EQ(progConfig_getStr(L"Odd", L"none"), L"none");
}

TEST_F(SettingsTest, ScopesAreSeparateAndTheGeneralLookupIsMerged)
{
    settingsStore_setStr(SettingsScope::Program, L"BinDir", L"C:\\Suite\\bin");
    settingsStore_setDword(SettingsScope::General, L"NoMail", 1);
    userConfig_setStr(L"Language", L"Deutsch");
    EXPECT_EQ(progConfig_getStr(L"BinDir", L""), L"C:\\Suite\\bin");
    EXPECT_EQ(userConfig_getStr(L"BinDir", L"-"), L"-");
    EXPECT_EQ(config_getDword(L"NoMail", 0), 1u);
    EXPECT_EQ(config_getStr(L"Language", L"English"), L"Deutsch");
    settingsStore_setStr(SettingsScope::General, L"Language", L"English");
    EXPECT_EQ(config_getStr(L"Language", L""), L"English"); // policy wins
    settingsStore_remove(SettingsScope::General, L"NoMail");
    EXPECT_EQ(config_getDword(L"NoMail", 0), 0u);
}

TEST_F(SettingsTest, ConcurrentWritersAndReadersLoseNothing)
{
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 25; ++i) {
                const ZString key = ZString::format(L"T%dK%d", t, i);
                userConfig_setDword(key.c_str(), static_cast<uint32_t>(t * 100 + i));
                EXPECT_EQ(userConfig_getDword(key.c_str(), 9999), static_cast<uint32_t>(t * 100 + i));
            }
        });
    for (auto& thread : threads)
        thread.join();
    for (int t = 0; t < 4; ++t)
        for (int i = 0; i < 25; ++i)
            EXPECT_EQ(userConfig_getDword(ZString::format(L"T%dK%d", t, i).c_str(), 9999),
                      static_cast<uint32_t>(t * 100 + i));
}

TEST(SettingsPlaces, TheUserScopeIsEachUsersOwnAndAFailedWriteIsReportedOnce)
{
    // Without a folder named for all scopes: the user's settings in the user's
    // application data, the installation's beside the program.
    const ZString named = environmentVariable(L"TAMLO_CONFIG_DIR");
    SetEnvironmentVariableW(L"TAMLO_CONFIG_DIR", nullptr);
    settingsStore_setFolder(ZString());
    wchar_t appData[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)));
    EXPECT_EQ(settingsStore_file(SettingsScope::User), joinPath(appData, L"Tamlo\\Quillet\\user.ini"));
    EXPECT_EQ(settingsStore_file(SettingsScope::Program), joinPath(besideTests(L"config"), L"program.ini"));
    EXPECT_EQ(settingsStore_file(SettingsScope::General), joinPath(besideTests(L"config"), L"general.ini"));
    if (!named.isEmpty())
        SetEnvironmentVariableW(L"TAMLO_CONFIG_DIR", named.c_str());

    // A settings folder that is a file: nothing can be written there.
    ScratchFolder scratch;
    const ZString blocked = scratch.file(L"blocked");
    ASSERT_TRUE(writeFileBytes(blocked, "a file, not a folder"));
    settingsStore_setFolder(blocked);
    std::vector<ZString> boxes;
    setMessageAnswerer([&](const ZString& text, const ZString&, unsigned) {
        boxes.push_back(text);
        return IDOK;
    });
    userConfig_setStr(L"A", L"1");
    userConfig_setDword(L"B", 2);
    setMessageAnswerer({});
    settingsStore_setFolder(ZString());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes.front().find(joinPath(blocked, L"user.ini")), -1) << boxes.front().toUtf8();
}
