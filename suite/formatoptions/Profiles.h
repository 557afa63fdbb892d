// Output formats and option profiles of our format-options service.
//
// An option set names, for its format:
//   "resolution"   dots per inch of page images ("150")
//   "jpegQuality"  0..100 for JPEG images
//   "pdfMode"      "copy": the composed PDF as it is; "rewrite": rewritten by
//                  the interpreter with "pdfSettings" (/prepress, /printer, /ebook, /screen)
//   "tiffMultipage" "1": all pages in one TIFF file; "0": one file per page
// Built-in profiles ("default/good", "default/high", "default/small") cannot
// be changed; the user's own profiles live in the user settings.
#pragma once

#include "base/FormatOptions.h"

#include <vector>

struct OutputFormat {
    const wchar_t* extension; // also the format's name: "pdf", "png", "jpg", "tif", "txt"
    const wchar_t* langKey;   // its description in the dialog
};

const std::vector<OutputFormat>& outputFormats();
bool isOutputFormat(const ZString& format);

std::vector<ZString> profileNames();
bool isBuiltInProfile(const ZString& name);
bool loadProfile(const ZString& name, FormatOptionSet& options);
// Stores a user profile (built-in names are refused).
bool saveProfile(const ZString& name, const FormatOptionSet& options);
bool deleteProfile(const ZString& name);

// The text form in which user profiles are stored: "key=value;key=value".
ZString serializeOptions(const FormatOptionSet& options);
FormatOptionSet parseOptions(const ZString& text);

// A number option, or fallback when missing or not a number.
int optionNumber(const FormatOptionSet& options, const wchar_t* key, int fallback);
ZString optionText(const FormatOptionSet& options, const wchar_t* key, const ZString& fallback);
