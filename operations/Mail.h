// Sending files by e-mail: the attachments go to the user's mail program, by
// one of three ways that the general setting "EmailInterface" chooses.
#pragma once

#include "base/WindowHandle.h"
#include "base/ZString.h"

#include <vector>

struct MailAttachment {
    ZString path;
    ZString displayName; // empty: the path's file name
};

struct MailRequest {
    ZString subject;
    std::vector<MailAttachment> attachments;
};

// Hands the request to the mail program; true when it took the message.
// An empty subject with exactly one attachment becomes that attachment's
// display name without its extension.
bool sendMail(HWND owner, const MailRequest& request);

// "outlook_ole", "tamlo" or "mapi": the setting, unless the installation turned
// the mail-interface feature off, which leaves Simple MAPI.
ZString mailInterface();

// The three ways. Each shows its own fixed English error boxes.
bool sendMailByMapi(HWND owner, const MailRequest& request);
bool sendMailByOutlook(HWND owner, const MailRequest& request);
bool sendMailByWeb(HWND owner, const MailRequest& request);

// The name an attachment is presented under: its display name, or the path's
// file name when that is empty.
ZString attachmentName(const MailAttachment& attachment);
// The same, ending in the path's extension (added when it does not).
ZString attachmentNameWithExtension(const MailAttachment& attachment);
