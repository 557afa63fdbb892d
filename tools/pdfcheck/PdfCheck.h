// pdfcheck: a developer tool that opens a PDF file with the program's own
// library, for diagnosing users' files and for measuring the library.
//
//   pdfcheck FILE                   pages, version, encryption, title, producer
//   pdfcheck --rewrite IN OUT       full rewrite of IN into OUT
//   pdfcheck --bench N FILE         median of N times open + page count
//   pdfcheck --bench-rewrite N FILE median of N times open + full rewrite
//
// Failures print "error: <message>" and give exit code 1; bad usage gives 2.
#pragma once

#include "base/ZString.h"

#include <vector>

// What the tool needs of the platform.
struct PdfCheckPlatform {
    // A folder (with its trailing separator) for the files of --bench-rewrite.
    ZString tempFolder;
    void (*removeFile)(const ZString& path);
};

// args without the program name.
int runPdfCheck(const std::vector<ZString>& args, const PdfCheckPlatform& platform);
