// The Ghostscript interpreter: the one place that starts it, the argument
// texts of everything the program asks of it, and the conversions built on
// them. Results are judged by the files the interpreter writes, never by its
// exit code. Page numbers count from 1.
#pragma once

#include "base/ZString.h"

#include <cstdint>
#include <vector>

class AbortControl;

// A page bound that means "no bound"; such a bound is left out of command lines.
inline constexpr uint32_t kNoPageBound = 0xFFFFFFFFu;
// Longer argument texts reach the interpreter through an argument file.
inline constexpr int kMaxInlineArguments = 10000;

// Runs the interpreter named by the installation setting GsWin32cCmdline with
// " -dSAFER -dNOPAUSE -dBATCH " and the arguments, under control (or none),
// and waits for it.
void runGhostscript(const ZString& arguments, AbortControl* control);

// The fixed switch blocks, each piece beginning with a blank.
ZString prepressSwitches();
ZString distillerParameters();

// The argument texts.
ZString extractPagesArguments(const ZString& in, const ZString& out, uint32_t first, uint32_t last);
ZString mergeArguments(const std::vector<ZString>& inputs, const ZString& out);
ZString psToPdfArguments(const ZString& in, const ZString& out);
// device: "-sDEVICE=bmp16m", or "-sDEVICE=jpeg -dJPEGQ=<quality>".
ZString renderPagesArguments(const ZString& in, const ZString& out, uint32_t first, uint32_t last, int resolution,
                             const ZString& device);
ZString exportPageArguments(const ZString& in, const ZString& out, uint32_t page, int resolution, bool tiff);

// Pages first..last of a PDF as images; out may hold "%d" for one file per page.
void renderPagesBmp(const ZString& in, const ZString& out, uint32_t first, uint32_t last, int resolution,
                    AbortControl* control = nullptr);
void renderPagesJpeg(const ZString& in, const ZString& out, uint32_t first, uint32_t last, int resolution,
                     int quality, AbortControl* control = nullptr);
// One page as a new temporary ".jpg" (or ".tiff") file; returns its path.
// Under control (or none), so a page rendered ahead can be given up.
ZString exportPageImage(const ZString& in, uint32_t page, int resolution, bool tiff,
                        AbortControl* control = nullptr);
// The same in two steps, for a reader that follows the file while it is
// written: a new temporary ".jpg" (or ".tiff") name, then the page into it.
ZString newPageImageFileName(bool tiff);
void exportPageImageTo(const ZString& in, const ZString& out, uint32_t page, int resolution, bool tiff,
                       AbortControl* control = nullptr);
// PostScript (or PDF) to PDF.
void psToPdf(const ZString& in, const ZString& out, AbortControl* control);
// A page range (bounds may be kNoPageBound) of a PDF into a new PDF.
void extractPages(const ZString& in, const ZString& out, uint32_t first, uint32_t last, AbortControl* control);
void mergePdfFiles(const std::vector<ZString>& inputs, const ZString& out, AbortControl* control);
