// Simple MAPI: the system's standard mail program gets a new message with the
// attachments and shows it to the user.
#include "operations/Mail.h"

#include "gui/Messages.h"

#include <windows.h>

#include <mapi.h>

#include <string>
#include <vector>

namespace {

std::string toAnsi(const ZString& text)
{
    if (text.isEmpty())
        return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), text.length(), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), text.length(), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// The loaded library, freed when the call is over.
class MapiLibrary {
public:
    MapiLibrary() : m_module(LoadLibraryW(L"MAPI32.DLL")) {}
    ~MapiLibrary()
    {
        if (m_module != nullptr)
            FreeLibrary(m_module);
    }
    MapiLibrary(const MapiLibrary&) = delete;
    MapiLibrary& operator=(const MapiLibrary&) = delete;
    bool loaded() const { return m_module != nullptr; }
    LPMAPISENDMAIL sendMail() const
    {
        return reinterpret_cast<LPMAPISENDMAIL>(reinterpret_cast<void*>(GetProcAddress(m_module, "MAPISendMail")));
    }

private:
    HMODULE m_module;
};

void showMailError(HWND owner, const ZString& text) { showMessage(owner, text, L"Error", MB_OK | MB_ICONERROR); }

} // namespace

bool sendMailByMapi(HWND owner, const MailRequest& request)
{
    MapiLibrary library;
    if (!library.loaded()) {
        showMailError(nullptr, L"Could not load mapi32.dll");
        return false;
    }
    const LPMAPISENDMAIL send = library.sendMail();
    if (send == nullptr)
        return false;

    // The ANSI texts live here while the descriptors point into them.
    std::vector<std::string> paths;
    std::vector<std::string> names;
    for (const MailAttachment& attachment : request.attachments) {
        paths.push_back(toAnsi(attachment.path));
        names.push_back(toAnsi(attachmentName(attachment)));
    }
    std::vector<MapiFileDesc> files(request.attachments.size());
    for (size_t i = 0; i < files.size(); ++i) {
        files[i].ulReserved = 0;
        files[i].flFlags = 0;
        files[i].nPosition = 0xFFFFFFFFu;
        files[i].lpszPathName = paths[i].data();
        files[i].lpszFileName = names[i].data();
        files[i].lpFileType = nullptr;
    }
    std::string subject = toAnsi(request.subject);
    MapiMessage message{};
    message.lpszSubject = subject.data();
    message.nFileCount = static_cast<ULONG>(files.size());
    message.lpFiles = files.empty() ? nullptr : files.data();

    const bool wasEnabled = owner != nullptr && IsWindowEnabled(owner);
    if (owner != nullptr)
        EnableWindow(owner, FALSE);
    const ULONG result = send(0, reinterpret_cast<ULONG_PTR>(owner), &message, MAPI_LOGON_UI | MAPI_DIALOG, 0);
    if (owner != nullptr && wasEnabled)
        EnableWindow(owner, TRUE);

    if (result != SUCCESS_SUCCESS && result != MAPI_USER_ABORT)
        showMailError(owner, ZString::format(L"Could not open standard mail program: %d", static_cast<int>(result)));
    return result == SUCCESS_SUCCESS;
}
