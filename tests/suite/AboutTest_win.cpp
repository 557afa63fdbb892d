// The about box: product, version, copyright and the licences of what ships.
#include "base/About.h"
#include "base/Files.h"
#include "base/MessageBox.h"
#include "base/Paths.h"
#include "suite/settings/SettingsStore.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(AboutBox, NamesTheProductItsVersionAndTheLicencesOfWhatShips)
{
    ScratchFolder scratch;
    settingsStore_setFolder(scratch.path());
    settingsStore_setStr(SettingsScope::Program, L"InstallDir", scratch.path());
    std::vector<ZString> shown;
    setMessageAnswerer([&](const ZString& text, const ZString& caption, unsigned) {
        shown.push_back(caption + L"|" + text);
        return IDOK;
    });
    about_show(nullptr);
    // With the interpreter bundled in the installation, its licence as well.
    createFolder(joinPath(scratch.path(), L"gs"), false);
    about_show(nullptr);
    setMessageAnswerer({});
    settingsStore_setFolder(ZString());

    ASSERT_EQ(shown.size(), 2u);
    for (const ZString& box : shown) {
        EXPECT_TRUE(box.startsWith(L"About Tamlo Quillet|Tamlo Quillet\nVersion 8.3.0\n\nCopyright")) << box.toUtf8();
        EXPECT_NE(box.find(L"zlib"), -1);
    }
    EXPECT_EQ(shown[0].find(L"Ghostscript"), -1);
    EXPECT_NE(shown[1].find(L"Ghostscript"), -1);
}
