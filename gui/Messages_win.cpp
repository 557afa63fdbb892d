#include "gui/Messages.h"

#include "base/Lang.h"

#include <windows.h>

#include <atomic>

namespace {

std::atomic<HWND> g_owner{nullptr};

} // namespace

void setMessageOwner(HWND owner) { g_owner = owner; }

HWND messageOwner() { return g_owner; }

int showMessage(const ZString& text, const ZString& caption, unsigned flags)
{
    return showMessage(g_owner, text, caption, flags);
}

int showMessage(HWND owner, const ZString& text, const ZString& caption, unsigned flags)
{
    return messageBox(owner, text, caption, flags);
}

void showError(const ZString& text) { showMessage(text, lang_getStr(L"general/error"), MB_OK | MB_ICONERROR); }

int askConfirmation(const ZString& text, unsigned buttons)
{
    return showMessage(text, lang_getStr(L"general/confirmation"), buttons | MB_ICONQUESTION);
}

void showInfo(const ZString& text) { showMessage(text, lang_getStr(L"general/info"), MB_OK | MB_ICONINFORMATION); }

void showCharactersNotAllowed(const ZString& characters)
{
    ZString text(lang_getStr(L"quillet/explorer/list/~note-characters-not-allowed"));
    text.replaceAll(L"{CHARACTERS}", characters);
    showMessage(text, lang_getStr(L"general/note"), MB_OK | MB_ICONWARNING);
}
