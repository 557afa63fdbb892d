#include "jobs/JobNameBox_win.h"

#include "base/Lang.h"

#include <windows.h>

#include <vector>

namespace {

JobNameAnswerer& answerer()
{
    static JobNameAnswerer held;
    return held;
}

enum : WORD { kEdit = 100 };

struct BoxState {
    ZString* name;
};

// An in-memory dialog template: a prompt, an edit field, OK and Cancel.
class Template {
public:
    Template()
    {
        align();
        DLGTEMPLATE head = {};
        head.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        head.cdit = 4;
        head.cx = 220;
        head.cy = 70;
        put(&head, sizeof head);
        word(0); // no menu
        word(0); // the standard class
        text(lang_getStr(L"quillet/job/change-name"));
        word(8);
        text(L"MS Shell Dlg");
        item(0xFFFF, 0x0082, 7, 7, 206, 10, WS_CHILD | WS_VISIBLE | SS_LEFT,
             lang_getStr(L"quillet/job/~change-name-info")); // static
        item(kEdit, 0x0081, 7, 20, 206, 14, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, L"");
        item(IDOK, 0x0080, 109, 46, 50, 14, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, L"OK");
        item(IDCANCEL, 0x0080, 163, 46, 50, 14, WS_CHILD | WS_VISIBLE | WS_TABSTOP, L"Cancel");
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_bytes.data()); }

private:
    void put(const void* data, size_t size)
    {
        const auto* b = static_cast<const BYTE*>(data);
        m_bytes.insert(m_bytes.end(), b, b + size);
    }
    void word(WORD w) { put(&w, sizeof w); }
    void text(const ZString& s) { put(s.c_str(), (static_cast<size_t>(s.length()) + 1) * sizeof(wchar_t)); }
    void align()
    {
        while (m_bytes.size() % 4 != 0)
            m_bytes.push_back(0);
    }
    void item(WORD id, WORD cls, short x, short y, short cx, short cy, DWORD style, const ZString& caption)
    {
        align();
        DLGITEMTEMPLATE it = {};
        it.style = style;
        it.x = x;
        it.y = y;
        it.cx = cx;
        it.cy = cy;
        it.id = id;
        put(&it, sizeof it);
        word(0xFFFF);
        word(cls);
        text(caption);
        word(0); // no creation data
    }
    std::vector<BYTE> m_bytes;
};

INT_PTR CALLBACK boxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(box, DWLP_USER, lParam);
        auto* state = reinterpret_cast<BoxState*>(lParam);
        SetDlgItemTextW(box, kEdit, state->name->c_str());
        SendDlgItemMessageW(box, kEdit, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(box, kEdit));
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* state = reinterpret_cast<BoxState*>(GetWindowLongPtrW(box, DWLP_USER));
            const int length = GetWindowTextLengthW(GetDlgItem(box, kEdit));
            std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
            GetDlgItemTextW(box, kEdit, buffer.data(), length + 1);
            *state->name = ZString(buffer.data());
            EndDialog(box, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(box, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

bool askJobName(HWND owner, ZString& name)
{
    if (answerer())
        return answerer()(name);
    const Template shape;
    ZString entered = name;
    BoxState state = {&entered};
    if (DialogBoxIndirectParamW(GetModuleHandleW(nullptr), shape.get(), owner, boxProcedure,
                                reinterpret_cast<LPARAM>(&state)) != IDOK)
        return false;
    name = entered;
    return true;
}

void setJobNameAnswerer(JobNameAnswerer answerer_) { answerer() = std::move(answerer_); }
