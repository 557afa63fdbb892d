// The platform print dialog answered without a user, for every test that prints.
#pragma once

#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

// Answers the print dialog of this thread: notes whether the selection choice
// was enabled and checked, then prints the chosen pages or cancels.
class PrintDialogAnswer {
public:
    enum Choice { AsOffered, Range, Cancel };
    PrintDialogAnswer(Choice choice, int from = 0, int to = 0) : m_choice(choice), m_from(from), m_to(to)
    {
        s_current = this;
        m_hook = SetWindowsHookExW(WH_CBT, hook, nullptr, GetCurrentThreadId());
    }
    ~PrintDialogAnswer()
    {
        UnhookWindowsHookEx(m_hook);
        s_current = nullptr;
    }
    PrintDialogAnswer(const PrintDialogAnswer&) = delete;
    PrintDialogAnswer& operator=(const PrintDialogAnswer&) = delete;

    bool seen = false;
    bool selectionEnabled = false;
    bool selectionChecked = false;

private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && s_current != nullptr && !s_current->seen && GetDlgItem(window, rad1) != nullptr)
            s_current->answer(window);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    void answer(HWND dialog)
    {
        seen = true;
        selectionEnabled = IsWindowEnabled(GetDlgItem(dialog, rad2)) != FALSE;
        selectionChecked = IsDlgButtonChecked(dialog, rad2) == BST_CHECKED;
        if (m_choice == Range) {
            CheckRadioButton(dialog, rad1, rad3, rad3);
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(rad3, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, rad3)));
            SetDlgItemInt(dialog, edt1, static_cast<UINT>(m_from), FALSE);
            SetDlgItemInt(dialog, edt2, static_cast<UINT>(m_to), FALSE);
        }
        PostMessageW(dialog, WM_COMMAND, m_choice == Cancel ? IDCANCEL : IDOK, 0);
    }

    static inline PrintDialogAnswer* s_current = nullptr;
    HHOOK m_hook = nullptr;
    Choice m_choice;
    int m_from;
    int m_to;
};
