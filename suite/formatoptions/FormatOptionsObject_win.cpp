// Our format-options object: holds what the caller presets and what the user
// chose in the dialog.
#include "base/FormatOptions.h"
#include "base/Files.h"
#include "base/Lang.h"
#include "base/Paths.h"
#include "gui/Messages.h"
#include "suite/formatoptions/FormatDialog.h"
#include "suite/formatoptions/Profiles.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

namespace {

class FormatOptionsObject : public FormatOptions {
public:
    void release() override { delete this; }

    int showDialog(HWND owner) override
    {
        FormatDialogState state;
        state.forAction = m_forAction && m_actionsShown;
        state.continueCaption = m_continueCaption;
        state.format = m_presetFormat;
        state.profile = m_presetProfile;
        const int result = showFormatDialog(owner, state);
        if (result == 0) {
            m_format = state.format;
            m_hasFormat = true;
            m_options = state.options;
            m_profile = state.profile;
        }
        return result;
    }

    void setFromJobWindow(bool fromJobWindow) override { m_fromJobWindow = fromJobWindow; }
    void setFormat(const ZString& format) override { m_presetFormat = format; }
    void setProfile(const ZString& profile) override { m_presetProfile = profile; }
    const FormatOptionSet& options() const override { return m_options; }
    const wchar_t* format() const override { return m_hasFormat ? m_format.c_str() : nullptr; }
    ZString profile() const override { return m_profile; }
    void setContinueCaption(const ZString& caption) override { m_continueCaption = caption; }
    void setActionsShown(bool shown) override { m_actionsShown = shown; }
    void setForAction(bool forAction) override { m_forAction = forAction; }

    ZString chooseOutputFile(HWND owner, const ZString& proposedName, const ZString& proposedFolder) override
    {
        const ZString ext = m_hasFormat ? m_format : ZString(L"pdf");
        ZString description = ext;
        for (const OutputFormat& f : outputFormats())
            if (ext.equals(f.extension))
                description = lang_getStr(f.langKey);
        // The filter: description, NUL, pattern, NUL, NUL.
        std::vector<wchar_t> filter;
        auto push = [&filter](const ZString& text) {
            filter.insert(filter.end(), text.c_str(), text.c_str() + text.length());
            filter.push_back(0);
        };
        push(description);
        push(L"*." + ext);
        filter.push_back(0);

        ZString name = proposedName;
        name.replaceChars(L"/\\:<>*?\"|", L'_');
        std::vector<wchar_t> buffer(4096, 0);
        wcsncpy(buffer.data(), name.c_str(), buffer.size() - 1);
        const ZString title = lang_getStr(L"format-options/choose-file");
        OPENFILENAMEW ofn = {};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = filter.data();
        ofn.lpstrFile = buffer.data();
        ofn.nMaxFile = static_cast<DWORD>(buffer.size());
        ofn.lpstrInitialDir = proposedFolder.isEmpty() ? nullptr : proposedFolder.c_str();
        ofn.lpstrTitle = title.c_str();
        ofn.lpstrDefExt = ext.c_str();
        ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
        if (!GetSaveFileNameW(&ofn))
            return ZString();
        ZString path(buffer.data());
        ZString lower(extensionOf(path));
        if (!lower.toLower().equals(L"." + ext)) {
            path.append(L".").append(ext);
            // The dialog asked about the name as typed, not about this one.
            if (pathExists(path)) {
                ZString text(lang_getStr(L"format-options/~confirm-overwrite"));
                text.replaceAll(L"{FILE_NAME}", path);
                if (showMessage(owner, text, lang_getStr(L"general/confirmation"), MB_YESNO | MB_ICONQUESTION) != IDYES)
                    return ZString();
            }
        }
        return path;
    }

private:
    ~FormatOptionsObject() override = default;

    bool m_fromJobWindow = false;
    bool m_actionsShown = true;
    bool m_forAction = false;
    ZString m_continueCaption;
    ZString m_presetFormat = L"pdf";
    ZString m_presetProfile = L"default/good";
    ZString m_format;
    bool m_hasFormat = false;
    ZString m_profile;
    FormatOptionSet m_options;
};

} // namespace

FormatOptions* formatOptions_create() { return new FormatOptionsObject(); }

bool formatOptions_loadProfile(const ZString& name, FormatOptionSet& options) { return loadProfile(name, options); }

void formatOptions_selfSignCertDlg(HWND owner)
{
    showMessage(owner, lang_getStr(L"format-options/~self-signed-certificate-not-available"),
                lang_getStr(L"general/info"), MB_OK | MB_ICONINFORMATION);
}
