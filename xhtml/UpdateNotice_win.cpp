#include "xhtml/UpdateNotice_win.h"

#include "env/Companions.h"
#include "base/Lang.h"
#include "base/Settings.h"
#include "xhtml/MyMsgBox_win.h"

#include <shellapi.h>

#include <ctime>

namespace xhtml {

namespace {

const int64_t kNinetyDays = 7776000;
const int kInstallId = 64;

bool isAdministrator()
{
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                  &administrators))
        return false;
    BOOL member = FALSE;
    if (!CheckTokenMembership(nullptr, administrators, &member))
        member = FALSE;
    FreeSid(administrators);
    return member != FALSE;
}

// Seconds since 1970 of the file's last change; -1 when it cannot be read.
int64_t fileTimeOf(const ZString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    ULARGE_INTEGER t;
    t.LowPart = data.ftLastWriteTime.dwLowDateTime;
    t.HighPart = data.ftLastWriteTime.dwHighDateTime;
    return static_cast<int64_t>(t.QuadPart / 10000000ULL) - 11644473600LL;
}

} // namespace

UpdateNoticeDecision decideUpdateNotice(uint32_t updateMode, bool administrator, uint32_t updateDetected,
                                        int64_t programFileTime, int64_t now)
{
    if (updateMode == 2 || !administrator || updateDetected == 0 || programFileTime < 0)
        return UpdateNoticeDecision::Nothing;
    if (static_cast<int64_t>(updateDetected) < programFileTime)
        return UpdateNoticeDecision::Reset;
    return now - programFileTime > kNinetyDays ? UpdateNoticeDecision::Show : UpdateNoticeDecision::Nothing;
}

void showUpdateNoticeIfDue(HWND owner)
{
    const UpdateNoticeDecision decision =
        decideUpdateNotice(progConfig_getDword(L"UpdateMode", 0), isAdministrator(),
                           userConfig_getDword(L"UpdateDetected", 0), fileTimeOf(companionPath(kBackgroundProgram)),
                           static_cast<int64_t>(std::time(nullptr)));
    if (decision == UpdateNoticeDecision::Reset)
        userConfig_setDword(L"UpdateDetected", 0);
    if (decision != UpdateNoticeDecision::Show)
        return;
    MyMsgBox box(owner, lang_getStr(L"general/info"), lang_getStr(L"updater/message/~note-update-available"),
                 MyMsgBox::Cancel);
    box.addButton(lang_getStr(L"updater/install"), kInstallId);
    if (box.show() == kInstallId)
        ShellExecuteW(owner, L"open", companionPath(kUpdater).c_str(), L"-install", nullptr, SW_SHOWNORMAL);
}

} // namespace xhtml
