// Until the mail paths exist, a mail request is reported on standard output
// (one "mail: <path>" line per attachment), where the console and tests see it.
#include "operations/Mail.h"

#include <cstdio>

bool sendMail(HWND, const MailRequest& request)
{
    std::fprintf(stdout, "mail: subject %s\n", request.subject.toUtf8().c_str());
    for (const MailAttachment& attachment : request.attachments)
        std::fprintf(stdout, "mail: %s\n", attachment.path.toUtf8().c_str());
    std::fflush(stdout);
    return true;
}
