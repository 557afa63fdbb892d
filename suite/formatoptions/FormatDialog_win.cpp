#include "suite/formatoptions/FormatDialog.h"

#include "base/Lang.h"
#include "base/ScreenResolution.h"
#include "gui/Messages.h"
#include "suite/formatoptions/Profiles.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace {

struct PdfQuality {
    const wchar_t* mode;     // pdfMode
    const wchar_t* settings; // pdfSettings
    const wchar_t* langKey;
};

const PdfQuality kPdfQualities[] = {
    {L"copy", L"/prepress", L"format-options/pdf-quality/as-composed"},
    {L"rewrite", L"/prepress", L"format-options/pdf-quality/prepress"},
    {L"rewrite", L"/printer", L"format-options/pdf-quality/printer"},
    {L"rewrite", L"/ebook", L"format-options/pdf-quality/ebook"},
    {L"rewrite", L"/screen", L"format-options/pdf-quality/screen"},
};

struct Dialog {
    FormatDialogState& state;
    int dpi = 96;
    HFONT font = nullptr;

    int px(int units) const { return MulDiv(units, dpi, 96); }
    HWND item(int id) const { return GetDlgItem(hwnd, id); }
    HWND hwnd = nullptr;

    void add(const wchar_t* cls, const ZString& text, DWORD style, int id, int x, int y, int w, int h)
    {
        HWND control = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, px(x), px(y), px(w), px(h),
                                       hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }

    void label(const wchar_t* key, int y) { add(L"STATIC", lang_getStr(key), SS_LEFT, -1, 12, y + 3, 120, 18); }

    void build()
    {
        label(L"format-options/format", 14);
        add(WC_COMBOBOXW, ZString(), CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, kFormatCombo, 136, 12, 250, 200);
        label(L"format-options/profile", 46);
        add(WC_COMBOBOXW, ZString(), CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_TABSTOP | WS_VSCROLL, kProfileCombo, 136, 44,
            250, 200);
        label(L"format-options/resolution", 78);
        add(L"EDIT", ZString(), WS_BORDER | ES_NUMBER | WS_TABSTOP, kResolutionEdit, 136, 76, 70, 22);
        label(L"format-options/pdf-quality", 110);
        add(WC_COMBOBOXW, ZString(), CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, kPdfQualityCombo, 136, 108, 250, 200);
        add(L"BUTTON", lang_getStr(L"format-options/tiff-multipage"), BS_AUTOCHECKBOX | WS_TABSTOP,
            kTiffMultipageCheck, 136, 140, 250, 20);
        add(L"BUTTON", lang_getStr(L"format-options/save-profile"), BS_PUSHBUTTON | WS_TABSTOP, kSaveProfileButton, 12,
            180, 120, 26);
        add(L"BUTTON", lang_getStr(L"format-options/delete-profile"), BS_PUSHBUTTON | WS_TABSTOP,
            kDeleteProfileButton, 140, 180, 120, 26);
        const ZString okCaption = state.forAction ? state.continueCaption : lang_getStr(L"format-options/close");
        add(L"BUTTON", okCaption.isEmpty() ? lang_getStr(L"format-options/continue") : okCaption,
            BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 186, 224, 100, 26);
        add(L"BUTTON", lang_getStr(L"general/cancel"), BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 294, 224, 92, 26);
        if (!state.forAction)
            EnableWindow(item(IDCANCEL), FALSE);

        for (const OutputFormat& f : outputFormats()) {
            const LRESULT index = SendMessageW(item(kFormatCombo), CB_ADDSTRING, 0,
                                               reinterpret_cast<LPARAM>(lang_getStr(f.langKey).c_str()));
            if (state.format.equals(f.extension))
                SendMessageW(item(kFormatCombo), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
        if (SendMessageW(item(kFormatCombo), CB_GETCURSEL, 0, 0) == CB_ERR)
            SendMessageW(item(kFormatCombo), CB_SETCURSEL, 0, 0);
        for (const PdfQuality& q : kPdfQualities)
            SendMessageW(item(kPdfQualityCombo), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lang_getStr(q.langKey).c_str()));
        fillProfiles(state.profile);
        showProfile(state.profile);
    }

    void fillProfiles(const ZString& select)
    {
        HWND combo = item(kProfileCombo);
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (const ZString& name : profileNames()) {
            const LRESULT index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
            if (name.equals(select))
                SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
        if (SendMessageW(combo, CB_GETCURSEL, 0, 0) == CB_ERR)
            SendMessageW(combo, CB_SETCURSEL, 0, 0);
    }

    // The controls show the options of the named profile.
    void showProfile(const ZString& name)
    {
        FormatOptionSet options;
        if (!loadProfile(name, options))
            return;
        SetWindowTextW(item(kResolutionEdit), ZString::format(L"%d", optionNumber(options, L"resolution", 150)).c_str());
        const ZString mode = optionText(options, L"pdfMode", L"copy");
        const ZString settings = optionText(options, L"pdfSettings", L"/prepress");
        int quality = 0;
        for (int i = 0; i < static_cast<int>(std::size(kPdfQualities)); ++i)
            if (mode.equals(kPdfQualities[i].mode) && (mode.equals(L"copy") || settings.equals(kPdfQualities[i].settings)))
                quality = i;
        SendMessageW(item(kPdfQualityCombo), CB_SETCURSEL, static_cast<WPARAM>(quality), 0);
        SendMessageW(item(kTiffMultipageCheck), BM_SETCHECK,
                     optionText(options, L"tiffMultipage", L"1").equals(L"1") ? BST_CHECKED : BST_UNCHECKED, 0);
        m_jpegQuality = optionNumber(options, L"jpegQuality", 85);
    }

    ZString windowText(HWND control) const
    {
        ZString text;
        const int n = GetWindowTextLengthW(control);
        text.setLength(n + 1);
        GetWindowTextW(control, text.data(), n + 1);
        return text.markUncounted();
    }

    ZString selectedProfile() const
    {
        HWND combo = item(kProfileCombo);
        const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (index == CB_ERR)
            return windowText(combo).trim();
        const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
        ZString name;
        name.setLength(static_cast<int>(length) + 1);
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(name.data()));
        return name.markUncounted();
    }

    FormatOptionSet gather() const
    {
        FormatOptionSet options;
        const int resolution = windowText(item(kResolutionEdit)).toInt();
        options[L"resolution"] = ZString::format(L"%d", resolution > 0 ? resolution : 150);
        const LRESULT q = SendMessageW(item(kPdfQualityCombo), CB_GETCURSEL, 0, 0);
        const PdfQuality& quality = kPdfQualities[q == CB_ERR ? 0 : q];
        options[L"pdfMode"] = quality.mode;
        options[L"pdfSettings"] = quality.settings;
        options[L"tiffMultipage"] =
            SendMessageW(item(kTiffMultipageCheck), BM_GETCHECK, 0, 0) == BST_CHECKED ? L"1" : L"0";
        options[L"jpegQuality"] = ZString::format(L"%d", m_jpegQuality);
        return options;
    }

    void saveAsProfile()
    {
        const ZString name = windowText(item(kProfileCombo)).trim();
        if (!saveProfile(name, gather())) {
            showMessage(hwnd, lang_getStr(L"format-options/~profile-name-not-allowed"), lang_getStr(L"general/error"),
                        MB_OK | MB_ICONERROR);
            return;
        }
        fillProfiles(name);
    }

    void removeProfile()
    {
        const ZString name = selectedProfile();
        if (isBuiltInProfile(name) || !deleteProfile(name)) {
            showMessage(hwnd, lang_getStr(L"format-options/~profile-cannot-be-deleted"), lang_getStr(L"general/error"),
                        MB_OK | MB_ICONERROR);
            return;
        }
        fillProfiles(L"default/good");
        showProfile(selectedProfile());
    }

    void accept()
    {
        const LRESULT f = SendMessageW(item(kFormatCombo), CB_GETCURSEL, 0, 0);
        state.format = outputFormats()[f == CB_ERR ? 0 : static_cast<size_t>(f)].extension;
        state.profile = selectedProfile();
        state.options = gather();
        state.options[L"profile"] = state.profile;
    }

    int m_jpegQuality = 85;
};

INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        dialog = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        dialog->hwnd = hwnd;
        dialog->dpi = screenResolution();
        dialog->font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        SetWindowTextW(hwnd, lang_getStr(kFormatDialogTitleKey).c_str());
        RECT frame = {0, 0, dialog->px(400), dialog->px(262)};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
        RECT ownerRect;
        HWND owner = GetWindow(hwnd, GW_OWNER);
        if (owner == nullptr || !GetWindowRect(owner, &ownerRect))
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &ownerRect, 0);
        const int w = frame.right - frame.left;
        const int h = frame.bottom - frame.top;
        SetWindowPos(hwnd, nullptr, (ownerRect.left + ownerRect.right - w) / 2, (ownerRect.top + ownerRect.bottom - h) / 2,
                     w, h, SWP_NOZORDER);
        dialog->build();
        return TRUE;
    }
    case WM_COMMAND:
        if (dialog == nullptr)
            break;
        switch (LOWORD(wParam)) {
        case IDOK:
            dialog->accept();
            EndDialog(hwnd, dialog->state.forAction ? 0 : 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(hwnd, 1);
            return TRUE;
        case kSaveProfileButton:
            dialog->saveAsProfile();
            return TRUE;
        case kDeleteProfileButton:
            dialog->removeProfile();
            return TRUE;
        case kProfileCombo:
            if (HIWORD(wParam) == CBN_SELCHANGE)
                dialog->showProfile(dialog->selectedProfile());
            return TRUE;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace

int showFormatDialog(HWND owner, FormatDialogState& state)
{
    // An empty template: the controls are made in WM_INITDIALOG, sized for the screen.
    struct alignas(4) {
        DLGTEMPLATE header;
        WORD menu = 0;
        WORD windowClass = 0;
        WORD title = 0;
    } dialogTemplate = {};
    dialogTemplate.header.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    dialogTemplate.header.cx = 200;
    dialogTemplate.header.cy = 120;
    Dialog dialog{state};
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &dialogTemplate.header, owner, dialogProc,
                                                   reinterpret_cast<LPARAM>(&dialog));
    return result == 0 ? 0 : 1;
}
