// A plain modal box that asks for one line of text: a prompt, an edit field
// with the initial text, OK and Cancel, all in Arial, centred on the screen.
#pragma once

#include "base/ZString.h"

#include <windows.h>

namespace xhtml {

class InputBox {
public:
    InputBox(HWND owner, const ZString& caption, const ZString& prompt, const ZString& initialText);
    ~InputBox();
    InputBox(const InputBox&) = delete;
    InputBox& operator=(const InputBox&) = delete;

    // True when the user confirmed with OK; text() then holds what was entered,
    // and is empty otherwise.
    bool show();
    const ZString& text() const { return m_text; }

    static constexpr const wchar_t* kClassName = L"InputBox";
    enum { OkId = IDOK, CancelId = IDCANCEL, EditId = 100 };

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void finish(bool confirmed);

    HWND m_owner;
    ZString m_caption, m_prompt, m_text;
    HWND m_window = nullptr;
    HFONT m_font = nullptr;
    bool m_done = false;
    bool m_confirmed = false;
};

} // namespace xhtml
