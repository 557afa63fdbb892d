#include "base/Files.h"
#include "base/FormatOptions.h"
#include "base/Lang.h"
#include "base/Paths.h"
#include "gui/Messages.h"
#include "suite/formatoptions/FormatDialog.h"
#include "suite/formatoptions/Profiles.h"
#include "suite/settings/SettingsStore.h"
#include "tests/operations/OperationsTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

namespace {

class FormatSaving : public InterpreterTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        useBridge();
    }
    ZString sample() const { return sourcePath(L"samples/sample.pdf"); }
};

// Presses buttons in the format dialog from another thread, as a user would.
class DialogDriver {
public:
    explicit DialogDriver(std::function<void(HWND)> act)
        : m_thread([this, act] {
              HWND dialog = nullptr;
              waitFor([&] {
                  dialog = FindWindowW(L"#32770", lang_getStr(kFormatDialogTitleKey).c_str());
                  return dialog != nullptr && IsWindowVisible(dialog);
              });
              if (dialog != nullptr)
                  act(dialog);
          })
    {
    }
    ~DialogDriver() { m_thread.join(); }

private:
    std::thread m_thread;
};

} // namespace

TEST(FormatProfiles, BuiltInsAreFixedAndUserProfilesRoundTrip)
{
    ScratchFolder scratch;
    settingsStore_setFolder(scratch.path());
    FormatOptionSet good;
    ASSERT_TRUE(formatOptions_loadProfile(L"default/good", good));
    EXPECT_EQ(good[L"profile"], L"default/good");
    EXPECT_FALSE(saveProfile(L"default/good", good));
    EXPECT_FALSE(formatOptions_loadProfile(L"mine", good));

    FormatOptionSet mine{{L"resolution", L"72"}, {L"pdfMode", L"copy"}};
    ASSERT_TRUE(saveProfile(L" mine ", mine));
    EXPECT_FALSE(saveProfile(L"a|b", mine));
    FormatOptionSet loaded;
    ASSERT_TRUE(formatOptions_loadProfile(L"mine", loaded));
    EXPECT_EQ(loaded[L"resolution"], L"72");
    EXPECT_EQ(loaded[L"profile"], L"mine");
    EXPECT_EQ(profileNames().back(), L"mine");
    EXPECT_TRUE(deleteProfile(L"mine"));
    EXPECT_FALSE(deleteProfile(L"default/high"));
    EXPECT_FALSE(formatOptions_loadProfile(L"mine", loaded));
    settingsStore_setFolder(ZString());
}

TEST(FormatDialogTest, ContinueReportsTheChoiceCancelNothingAndBuiltInProfilesStay)
{
    FormatOptions* options = formatOptions_create();
    options->setForAction(true);
    options->setContinueCaption(lang_getStr(L"format-options/continue"));
    EXPECT_EQ(options->format(), nullptr);
    {
        DialogDriver driver([](HWND dialog) {
            SendMessageW(GetDlgItem(dialog, kFormatCombo), CB_SETCURSEL, 1, 0); // PNG
            SetDlgItemTextW(dialog, kResolutionEdit, L"99");
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(options->showDialog(nullptr), 0);
    }
    ASSERT_NE(options->format(), nullptr);
    EXPECT_STREQ(options->format(), L"png");
    EXPECT_EQ(options->options().at(L"resolution"), L"99");
    EXPECT_EQ(options->options().at(L"profile"), L"default/good");
    std::vector<ZString> errors;
    setMessageAnswerer([&](const ZString& text, const ZString&, unsigned) {
        errors.push_back(text);
        return IDOK;
    });
    {
        DialogDriver driver([](HWND dialog) {
            SendMessageW(dialog, WM_COMMAND, kDeleteProfileButton, 0); // a built-in profile
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_NE(options->showDialog(nullptr), 0);
    }
    setMessageAnswerer({});
    EXPECT_EQ(errors, std::vector<ZString>{lang_getStr(L"format-options/~profile-cannot-be-deleted")});
    EXPECT_STREQ(options->format(), L"png"); // the earlier choice stays
    options->release();
}

TEST_F(FormatSaving, PdfIsCopiedOrRewritten)
{
    FormatOptionSet options{{L"pdfMode", L"copy"}};
    const ZString copy = m_scratch.file(L"copy.pdf");
    ASSERT_TRUE(formatOptions_saveFileUI(nullptr, L"pdf", options, sample(), copy));
    EXPECT_EQ(readFileBytes(copy), readFileBytes(sample()));

    options[L"pdfMode"] = L"rewrite";
    options[L"pdfSettings"] = L"/ebook";
    const ZString rewritten = m_scratch.file(L"rewritten.pdf");
    ASSERT_TRUE(formatOptions_saveFileUI(nullptr, L"pdf", options, sample(), rewritten));
    EXPECT_NE(readFileBytes(rewritten), readFileBytes(sample()));
    EXPECT_EQ(pdfPageCount(rewritten), 3);
}

TEST_F(FormatSaving, PageImagesGiveOneFilePerPageOrOneMultiPageTiff)
{
    const FormatOptionSet options{{L"resolution", L"30"}, {L"tiffMultipage", L"1"}};
    ASSERT_TRUE(formatOptions_saveFileUI(nullptr, L"png", options, sample(), m_scratch.file(L"pages.png")));
    for (const wchar_t* name : {L"pages-1.png", L"pages-2.png", L"pages-3.png"})
        EXPECT_EQ(readFileBytes(m_scratch.file(name)).substr(1, 3), "PNG") << ZString(name).toUtf8();
    EXPECT_FALSE(pathExists(m_scratch.file(L"pages.png")));

    const ZString tiff = m_scratch.file(L"all.tif");
    ASSERT_TRUE(formatOptions_saveFileUI(nullptr, L"tif", options, sample(), tiff));
    EXPECT_EQ(readFileBytes(tiff).substr(0, 2), "II");
    EXPECT_FALSE(pathExists(m_scratch.file(L"all-1.tif")));
}

TEST_F(FormatSaving, TextAndRefusedInput)
{
    const ZString text = m_scratch.file(L"sample.txt");
    ASSERT_TRUE(formatOptions_saveFileUI(nullptr, L"txt", {}, sample(), text));
    EXPECT_NE(readFileBytes(text).find("Sample document"), std::string::npos);
    EXPECT_FALSE(formatOptions_saveFileUI(nullptr, L"docx", {}, sample(), m_scratch.file(L"x.docx")));
    EXPECT_FALSE(formatOptions_saveFileUI(nullptr, L"pdf", {}, m_scratch.file(L"missing.pdf"), m_scratch.file(L"y.pdf")));
}
