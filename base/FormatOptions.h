// The format-options service: the dialog in which the user picks an output
// format and its options (from stored profiles) before a save, e-mail or fax,
// and the saver that writes the chosen format from a composed PDF.
#pragma once

#include "base/WindowHandle.h"
#include "base/ZString.h"

#include <map>

// Option names and values of one profile; handed unchanged from the dialog to the saver.
using FormatOptionSet = std::map<ZString, ZString>;

class FormatOptions {
public:
    // Slot 0: frees the object.
    virtual void release() = 0;
    // Slot 1: shows the dialog; 0 when the user pressed the continue button,
    // non-zero when the dialog was cancelled.
    virtual int showDialog(HWND owner) = 0;
    // Slot 2: set by the job page window before showing.
    virtual void setFromJobWindow(bool fromJobWindow) = 0;
    // Slots 3 and 4: preset the format and the profile the dialog starts with.
    virtual void setFormat(const ZString& format) = 0;
    virtual void setProfile(const ZString& profile) = 0;
    // Slot 5: the chosen option set.
    virtual const FormatOptionSet& options() const = 0;
    // Slot 6: the chosen output format, which is also the output file's
    // extension ("pdf", "png", ...); null when none was chosen.
    virtual const wchar_t* format() const = 0;
    // Slot 7: lets the user choose the output file; empty when cancelled.
    virtual ZString chooseOutputFile(HWND owner, const ZString& proposedName, const ZString& proposedFolder) = 0;
    // Slot 8: the profile the chosen options came from.
    virtual ZString profile() const = 0;
    // Slot 9: the caption of the continue button.
    virtual void setContinueCaption(const ZString& caption) = 0;
    // Slot 10: false shows the dialog as the profile manager (no action follows).
    virtual void setActionsShown(bool shown) = 0;
    // Slot 11: true before every save, e-mail or fax.
    virtual void setForAction(bool forAction) = 0;

protected:
    virtual ~FormatOptions() = default;
};

// A new format-options object for one save, e-mail or fax action (release() it).
FormatOptions* formatOptions_create();
// Fills options with the stored profile name; false when there is none.
bool formatOptions_loadProfile(const ZString& name, FormatOptionSet& options);
// Writes target in format from the composed PDF at pdfPath; true on success.
bool formatOptions_saveFileUI(HWND owner, const ZString& format, const FormatOptionSet& options, const ZString& pdfPath,
                              const ZString& target);
// Creating a self-signed signing certificate (not offered by this build).
void formatOptions_selfSignCertDlg(HWND owner);
