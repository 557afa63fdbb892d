// Stands in for the system's Simple MAPI library in tests: built as
// "MAPI32.DLL" beside the test program, which Windows loads before the
// system's. MAPISendMail appends what it was given to the file named by
// MAPI_STANDIN_LOG and answers the number in MAPI_STANDIN_RESULT (default 0).
#include <windows.h>

#include <mapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" __declspec(dllexport) ULONG WINAPI MAPISendMail(LHANDLE session, ULONG_PTR uiParam, lpMapiMessage message,
                                                           FLAGS flags, ULONG reserved)
{
    char log[MAX_PATH] = {};
    char answer[32] = {};
    GetEnvironmentVariableA("MAPI_STANDIN_LOG", log, MAX_PATH);
    const ULONG result =
        GetEnvironmentVariableA("MAPI_STANDIN_RESULT", answer, 32) > 0 ? std::strtoul(answer, nullptr, 10) : 0;
    HWND owner = reinterpret_cast<HWND>(uiParam);
    std::string text = "session " + std::to_string(session) + "\nflags " + std::to_string(flags) + "\nreserved " +
                       std::to_string(reserved) + "\nowner " + (owner == nullptr ? "none" : "given") +
                       (owner != nullptr && !IsWindowEnabled(owner) ? " disabled" : "") + "\nsubject " +
                       (message->lpszSubject != nullptr ? message->lpszSubject : "(null)") + "\nrecipients " +
                       std::to_string(message->nRecipCount) + "\n";
    for (ULONG i = 0; i < message->nFileCount; ++i) {
        const MapiFileDesc& file = message->lpFiles[i];
        text += "file " + std::to_string(file.nPosition) + " " + std::to_string(file.flFlags) + " " +
                file.lpszPathName + " | " + file.lpszFileName + "\n";
    }
    if (FILE* out = std::fopen(log, "ab")) {
        std::fwrite(text.data(), 1, text.size(), out);
        std::fclose(out);
    }
    return result;
}
