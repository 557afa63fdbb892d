// The web mail-out: the conversion tool uploads copies of the attachments to
// the suite's mail-out page, deletes the copies and opens the page.
#include "operations/Mail.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "base/Settings.h"
#include "env/Companions.h"

#include <windows.h>

namespace {

// The address of the mail-out page (installation setting "WebMailOutUrl"),
// asked for a new message.
ZString mailOutAddress()
{
    ZString address = progConfig_getStr(L"WebMailOutUrl", L"https://mail.tamlo.com/mailout");
    address.append(address.find(ZString(L"?")) >= 0 ? L"&" : L"?").append(L"action=newMail");
    return address;
}

// A value between double quotes, each quote inside it escaped by a backslash.
ZString quoted(const ZString& value)
{
    ZString escaped(value);
    escaped.replaceAll(L"\"", L"\\\"");
    return ZString(L"\"") + escaped + L"\"";
}

} // namespace

bool sendMailByWeb(HWND owner, const MailRequest& request)
{
    ZString arguments(L"-upload");
    arguments.append(L" -url ").append(quoted(mailOutAddress()));
    arguments.append(L" -appendAppInfo -deleteFiles");
    for (const MailAttachment& attachment : request.attachments) {
        const ZString copy = makeTempFileName(kTempSubFolder, ZString(), extensionOf(attachment.path));
        if (!copyFile(attachment.path, copy, 2, 500))
            continue;
        arguments.append(L" -namedFile ").append(quoted(copy)).append(L" ").append(quoted(attachmentNameWithExtension(attachment)));
    }
    startCompanion(owner, kConversionTool, arguments, SW_SHOWDEFAULT);
    return true;
}
