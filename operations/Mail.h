// Sending files by e-mail: the attachments go to the user's mail program.
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
bool sendMail(HWND owner, const MailRequest& request);
