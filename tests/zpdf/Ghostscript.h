// The page count Ghostscript reads from a PDF file: the test's independent
// judge of files the library writes. Runs the system's gs (from Windows
// programs under Wine through Wine's Unix spawn).
#pragma once

#include "base/ZString.h"

#include <string>

// True when gs can be run from this test program.
bool ghostscriptAvailable();

// Ghostscript's page count of the file, or -1; its output lands in output.
int ghostscriptPageCount(const ZString& path, std::string& output);

// The number on the last line of gs's output, or -1.
int pageCountFromOutput(const std::string& output);
