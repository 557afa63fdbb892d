// Outlook automation: a new mail item with the subject and the attachments,
// shown to the user by Outlook itself.
#include "operations/Mail.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "gui/Messages.h"
#include "operations/Dispatch.h"

#include <windows.h>

#include <objbase.h>

namespace {

// COM for the length of the call on threads that do not have it yet.
class ComScope {
public:
    ComScope() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(m_result))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT m_result;
};

void showMailError(HWND owner, const wchar_t* text) { showMessage(owner, text, L"Error", MB_OK | MB_ICONERROR); }

DispatchPtr createOutlook()
{
    CLSID id;
    if (FAILED(CLSIDFromProgID(L"Outlook.Application", &id)))
        return DispatchPtr();
    IDispatch* object = nullptr;
    const DWORD contexts = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
    if (FAILED(CoCreateInstance(id, nullptr, contexts, IID_IDispatch, reinterpret_cast<void**>(&object))))
        return DispatchPtr();
    return DispatchPtr(object);
}

bool addAttachments(HWND owner, const DispatchPtr& item, const MailRequest& request)
{
    const DispatchPtr attachments = item.object(L"Attachments", DISPATCH_PROPERTYGET, {});
    if (!attachments)
        return false;
    const ZString folder = uniqueTempFolder(kTempSubFolder, ZString(), ZString());
    if (folder.isEmpty())
        return false;
    deleteLater(folder);
    bool ok = true;
    for (const MailAttachment& attachment : request.attachments)
        ok = copyFileRetry(attachment.path, joinPath(folder, attachmentNameWithExtension(attachment)), owner) && ok;
    std::vector<ZString> files;
    listFolder(folder, &files, nullptr, kListFiles);
    for (const ZString& file : files) {
        Variant path(file.c_str());
        ok = SUCCEEDED(attachments.call(L"Add", DISPATCH_METHOD, {path.get()})) && ok;
    }
    deleteTree(folder);
    return ok;
}

} // namespace

bool sendMailByOutlook(HWND owner, const MailRequest& request)
{
    ComScope com;
    const DispatchPtr outlook = createOutlook();
    if (!outlook) {
        showMailError(owner, L"Could not create Outlook instance");
        return false;
    }
    Variant mailItem(0L);
    const DispatchPtr item = outlook.object(L"CreateItem", DISPATCH_METHOD, {mailItem.get()});
    if (!item) {
        showMailError(owner, L"Could not create new mail item");
        return false;
    }
    Variant subject(request.subject.c_str());
    bool ok = SUCCEEDED(item.put(L"Subject", subject.get()));
    if (!addAttachments(owner, item, request)) {
        showMailError(owner, L"Could not add attachments");
        ok = false;
    }
    ok = SUCCEEDED(item.call(L"Display", DISPATCH_METHOD, {})) && ok;
    return ok;
}
