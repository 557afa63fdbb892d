// What the companion's tests share: pictures made with GDI+, the
// interpreter's view of a PDF (through the program's own bridge), runs of
// the companion, and its message boxes.
#pragma once

#include "base/ZString.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A picture of width x height whose colour (0xAARRGGBB) at each pixel comes
// from colorAt(x, y), saved with the GDI+ encoder of that MIME type. Several
// colour functions make a multi-page TIFF.
using ColorAt = uint32_t (*)(int x, int y, int width, int height);
bool writePicture(const ZString& path, const wchar_t* mimeType, int width, int height,
                  const std::vector<ColorAt>& pages);

// Four quadrants: red, green, blue, white (top left, top right, bottom left, bottom right).
uint32_t quadrants(int x, int y, int width, int height);

// The page count the program's PDF library reads; -1 when it cannot open the file.
int pdfPageCount(const ZString& pdf);
// The bytes of the image on the first page's resources ("Im0").
std::string firstPageImageBytes(const ZString& pdf);

// The page rendered by the interpreter at 72 dpi: colour (0xRRGGBB) at the
// given fractions of its width and height.
class RenderedPage {
public:
    RenderedPage(const ZString& pdf, int page);
    bool valid() const { return m_width > 0; }
    uint32_t colorAt(double fx, double fy) const;

private:
    int m_width = 0, m_height = 0;
    std::vector<uint32_t> m_pixels;
};
// Whether two colours differ by at most tolerance in each channel.
bool closeColors(uint32_t a, uint32_t b, int tolerance);

// The text the interpreter extracts from all pages (UTF-8).
std::string extractedText(const ZString& pdf);

// Runs tamlo-Vistel.exe hidden, as the program does; the exit code once it ended.
class CompanionRun {
public:
    explicit CompanionRun(const ZString& arguments);
    ~CompanionRun();
    DWORD exitCode();
    // Its message box of that caption, once it is visible; null after the limit.
    HWND waitForBox(const wchar_t* caption) const;

private:
    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
};

ZString boxText(HWND box);
