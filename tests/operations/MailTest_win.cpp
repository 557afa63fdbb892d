// The three mail paths against stand-ins for the mail programs: the Simple
// MAPI library beside the test program, an automation server registered as
// "Outlook.Application", and the companion-program stand-in for the web mail-out.
#include "operations/Mail.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "base/TextUtil.h"
#include "gui/Messages.h"
#include "suite/settings/SettingsStore.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const wchar_t* const kStandInClass = L"{6F1D2A9E-4C3B-4E8A-9B2D-7A1E5C3F0B11}";

struct Box {
    ZString text;
    ZString caption;
    unsigned flags;
};

class MailTest : public testing::Test {
protected:
    void SetUp() override
    {
        settingsStore_setFolder(m_scratch.path());
        setMessageAnswerer([this](const ZString& text, const ZString& caption, unsigned flags) {
            m_boxes.push_back({text, caption, flags});
            return IDOK;
        });
        SetEnvironmentVariableW(L"MAPI_STANDIN_LOG", m_scratch.file(L"mapi.log").c_str());
        SetEnvironmentVariableW(L"OUTLOOK_STANDIN_LOG", m_scratch.file(L"outlook.log").c_str());
        writeFileBytes(m_scratch.file(L"Quarterly report.pdf"), "%PDF-1.4 first\n");
        writeFileBytes(m_scratch.file(L"second.pdf"), "%PDF-1.4 second\n");
    }
    void TearDown() override
    {
        setMessageAnswerer(nullptr);
        settingsStore_setFolder(ZString());
        for (const wchar_t* name : {L"MAPI_STANDIN_LOG", L"MAPI_STANDIN_RESULT", L"OUTLOOK_STANDIN_LOG"})
            SetEnvironmentVariableW(name, nullptr);
    }
    void useInterface(const wchar_t* name, bool featureOn = true)
    {
        settingsStore_setStr(SettingsScope::General, L"EmailInterface", name);
        settingsStore_setDword(SettingsScope::General, L"NoTamloMailInterface", featureOn ? 0 : 1);
    }
    MailRequest twoAttachments() const
    {
        MailRequest request;
        request.subject = L"Offer";
        request.attachments.push_back({m_scratch.file(L"Quarterly report.pdf"), L"Report"});
        request.attachments.push_back({m_scratch.file(L"second.pdf"), ZString()});
        return request;
    }
    std::string log(const wchar_t* name) const { return readFileBytes(m_scratch.file(name)); }

    ScratchFolder m_scratch;
    std::vector<Box> m_boxes;
};

// The registration of the automation stand-in under "Outlook.Application" in
// the test prefix, removed again when the holder goes.
class OutlookRegistration {
public:
    OutlookRegistration()
    {
        const std::wstring classKey = std::wstring(L"CLSID\\") + kStandInClass;
        setValue(L"Outlook.Application\\CLSID", nullptr, kStandInClass);
        setValue(classKey + L"\\InprocServer32", nullptr, besideTests(L"outlook-standin.dll").c_str());
        setValue(classKey + L"\\InprocServer32", L"ThreadingModel", L"Both");
    }
    ~OutlookRegistration()
    {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Outlook.Application");
        RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + kStandInClass).c_str());
    }
    OutlookRegistration(const OutlookRegistration&) = delete;
    OutlookRegistration& operator=(const OutlookRegistration&) = delete;

private:
    static void setValue(const std::wstring& key, const wchar_t* name, const wchar_t* value)
    {
        HKEY handle = nullptr;
        if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
            ERROR_SUCCESS)
            return;
        RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
        RegCloseKey(handle);
    }
};

ZString ansiText(const std::string& bytes)
{
    return utf8DecodeLenient(bytes.data(), bytes.size());
}

} // namespace

TEST_F(MailTest, SimpleMapiGetsTheMessageAsTheSystemExpectsIt)
{
    // The Outlook setting counts for nothing while the mail-interface feature is off.
    useInterface(L"outlook_ole", false);
    TestHostWindow owner(200, 100);
    MailRequest request;
    request.attachments.push_back({m_scratch.file(L"Quarterly report.pdf"), L"Report.pdf"});

    EXPECT_TRUE(sendMail(owner.hwnd(), request));

    EXPECT_EQ(log(L"mapi.log"), "session 0\nflags 9\nreserved 0\nowner given disabled\nsubject Report\n"
                                "recipients 0\nfile 4294967295 0 " +
                                    ZString(m_scratch.file(L"Quarterly report.pdf")).toUtf8() + " | Report.pdf\n");
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(MailTest, SimpleMapiFailuresOtherThanACancelAreShown)
{
    useInterface(L"mapi");
    SetEnvironmentVariableW(L"MAPI_STANDIN_RESULT", L"1");
    EXPECT_FALSE(sendMail(nullptr, twoAttachments()));
    EXPECT_TRUE(m_boxes.empty());

    SetEnvironmentVariableW(L"MAPI_STANDIN_RESULT", L"2");
    EXPECT_FALSE(sendMail(nullptr, twoAttachments()));
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, ZString(L"Could not open standard mail program: 2"));
    EXPECT_EQ(m_boxes[0].caption, ZString(L"Error"));
    EXPECT_EQ(m_boxes[0].flags & MB_ICONMASK, static_cast<unsigned>(MB_ICONERROR));
    // Both attempts carried the two files, the second under its own file name.
    const ZString calls = ansiText(log(L"mapi.log"));
    EXPECT_GE(calls.find(ZString(L" | Report\n")), 0);
    EXPECT_GE(calls.find(ZString(L" | second.pdf\n")), 0);
    EXPECT_GE(calls.find(ZString(L"subject Offer\n")), 0);
}

TEST_F(MailTest, OutlookGetsTheSubjectAndEachAttachmentUnderItsDisplayName)
{
    useInterface(L"outlook_ole");
    OutlookRegistration registration;
    const size_t waiting = deferredDeletionCount();

    EXPECT_TRUE(sendMail(nullptr, twoAttachments()));

    std::vector<ZString> lines;
    split(ansiText(log(L"outlook.log")), L"\n", lines);
    ASSERT_EQ(lines.size(), 5u) << log(L"outlook.log") << (m_boxes.empty() ? "" : m_boxes[0].text.toUtf8());
    EXPECT_EQ(lines[0], ZString(L"CreateItem 0"));
    EXPECT_EQ(lines[1], ZString(L"Subject Offer"));
    std::vector<ZString> added{fileNamePart(lines[2].substring(4, lines[2].length() - 1)),
                               fileNamePart(lines[3].substring(4, lines[3].length() - 1))};
    std::sort(added.begin(), added.end());
    EXPECT_EQ(added[0], ZString(L"Report.pdf exists"));
    EXPECT_EQ(added[1], ZString(L"second.pdf exists"));
    EXPECT_EQ(lines[4], ZString(L"Display"));
    EXPECT_TRUE(m_boxes.empty());
    // The copies' folder is gone, and was on the list for the program's end at once.
    const ZString copy = lines[2].substring(4, lines[2].find(ZString(L" exists")) - 1);
    EXPECT_FALSE(pathExists(folderPart(copy)));
    EXPECT_EQ(deferredDeletionCount(), waiting + 1);
}

TEST_F(MailTest, OutlookMissingIsReported)
{
    useInterface(L"outlook_ole");
    EXPECT_FALSE(sendMail(nullptr, twoAttachments()));
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, ZString(L"Could not create Outlook instance"));
    EXPECT_EQ(m_boxes[0].caption, ZString(L"Error"));
}

TEST_F(MailTest, WebMailOutHandsCopiesToTheConversionToolWithQuotesEscaped)
{
    useInterface(L"tamlo");
    const ZString bin = m_scratch.file(L"bin");
    createFolder(bin, true);
    ASSERT_TRUE(copyFile(besideTests(L"companion-standin.exe"), joinPath(bin, L"tamlo-Vistel.exe")));
    settingsStore_setStr(SettingsScope::Program, L"BinDir", bin);
    settingsStore_setStr(SettingsScope::Program, L"WebMailOutUrl", L"https://mail.example.test/out?lang=en");
    MailRequest request;
    request.attachments.push_back({m_scratch.file(L"Quarterly report.pdf"), L"He said \"hi\""});
    request.attachments.push_back({m_scratch.file(L"gone.pdf"), L"Gone"});

    EXPECT_TRUE(sendMail(nullptr, request));

    const ZString calls = joinPath(bin, L"calls.log");
    ASSERT_TRUE(waitFor([&] { return !readFileBytes(calls).empty(); }));
    const ZString line = ansiText(readFileBytes(calls));
    const ZString head =
        L"-upload -url \"https://mail.example.test/out?lang=en&action=newMail\" -appendAppInfo -deleteFiles -namedFile \"";
    const int start = line.find(head);
    ASSERT_GE(start, 0) << line.toUtf8();
    const int end = line.find(ZString(L"\" \""), start + head.length());
    ASSERT_GT(end, 0);
    const ZString copy = line.substring(start + head.length(), end - 1);
    EXPECT_EQ(fileNamePart(folderPart(copy)), ZString(L"Tamlo"));
    EXPECT_EQ(extensionOf(copy), ZString(L".pdf"));
    EXPECT_EQ(readFileBytes(copy), "%PDF-1.4 first\n");
    // The attachment that could not be copied is left out.
    const ZString name = L"\" \"He said \\\"hi\\\".pdf\"";
    EXPECT_EQ(line.substring(end, end + name.length() - 1), name);
    EXPECT_EQ(line.find(ZString(L"-namedFile"), end), -1);
    deleteFile(copy, false);
}
