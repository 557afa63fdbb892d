#include "operations/Mail.h"

#include "base/Paths.h"
#include "base/Settings.h"
#include "env/Features.h"

ZString attachmentName(const MailAttachment& attachment)
{
    return attachment.displayName.isEmpty() ? fileNamePart(attachment.path) : attachment.displayName;
}

ZString attachmentNameWithExtension(const MailAttachment& attachment)
{
    ZString name = attachmentName(attachment);
    const ZString extension = extensionOf(attachment.path);
    if (!ZString(name).toLower().endsWith(ZString(extension).toLower().c_str()))
        name.append(extension);
    return name;
}

ZString mailInterface()
{
    if (!isFeatureOn(L"tamloMailInterface"))
        return L"mapi";
    return config_getStr(L"EmailInterface", L"tamlo");
}

bool sendMail(HWND owner, const MailRequest& request)
{
    MailRequest mail(request);
    if (mail.subject.isEmpty() && mail.attachments.size() == 1)
        mail.subject = withoutExtension(attachmentName(mail.attachments.front()));
    const ZString way = mailInterface();
    if (way == ZString(L"outlook_ole"))
        return sendMailByOutlook(owner, mail);
    if (way == ZString(L"tamlo"))
        return sendMailByWeb(owner, mail);
    return sendMailByMapi(owner, mail);
}
