#include "tests/operations/OperationsTestSupport.h"

#include "tests/support/GdiplusEnvironment.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/TextUtil.h"
#include "suite/settings/SettingsStore.h"
#include "operations/Ghostscript.h"
#include "zpdf/Document.h"

#include <windows.h>

#include <gdiplus.h>

#include <algorithm>
#include <cstdio>

StdoutCapture::StdoutCapture()
{
    m_file = CreateFileW(m_folder.file(L"stdout.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    m_previous = GetStdHandle(STD_OUTPUT_HANDLE);
    SetStdHandle(STD_OUTPUT_HANDLE, m_file);
}

StdoutCapture::~StdoutCapture()
{
    SetStdHandle(STD_OUTPUT_HANDLE, m_previous);
    CloseHandle(m_file);
}

void InterpreterTest::SetUp()
{
    settingsStore_setFolder(m_scratch.path());
    m_log = m_scratch.file(L"recorder.log");
}

void InterpreterTest::TearDown()
{
    settingsStore_setFolder(ZString());
    for (const wchar_t* name : {L"GSRECORDER_LOG", L"GSRECORDER_WAIT_MS", L"GSRECORDER_EXIT", L"GSBRIDGE_PID_FILE"})
        SetEnvironmentVariableW(name, nullptr);
}

void InterpreterTest::useInterpreter(const ZString& commandLine)
{
    settingsStore_setStr(SettingsScope::Program, L"GsWin32cCmdline", commandLine);
}

ZString recorderPrefix() { return quote(besideTests(L"gsrecorder.exe")); }

void InterpreterTest::useRecorder()
{
    useInterpreter(recorderPrefix());
    SetEnvironmentVariableW(L"GSRECORDER_LOG", m_log.c_str());
}

std::vector<ZString> InterpreterTest::recordedCommandLines() const
{
    const std::string bytes = readFileBytes(m_log);
    std::vector<ZString> lines;
    split(utf8DecodeLenient(bytes.data(), bytes.size()), L"\n", lines);
    return lines;
}

void InterpreterTest::useBridge()
{
    useInterpreter(quote(besideTests(L"gsbridge.exe")));
    // As at the program's start, the installation's folder goes in front of
    // the search path, so that "ps2ascii.bat" is found.
    const ZString bin = folderPart(besideTests(L"gsbridge.exe"));
    const ZString path = environmentVariable(L"PATH");
    if (path.find(bin) < 0)
        SetEnvironmentVariableW(L"PATH", (bin + L";" + path).c_str());
}

int pdfPageCount(const ZString& pdf)
{
    try {
        return zpdf::Document(pdf).getPageCount();
    } catch (...) {
        return -1;
    }
}

bool hostGroupRuns(unsigned long group)
{
    std::vector<ZString> processes;
    listFolder(L"Z:\\proc", nullptr, &processes, kListFolders);
    for (const ZString& process : processes) {
        // "pid (name) state ppid pgrp ..."
        const std::string stat = readFileBytes(joinPath(process, L"stat"));
        const size_t close = stat.rfind(')');
        char state = 'Z';
        unsigned long processGroup = 0;
        if (close != std::string::npos && sscanf(stat.c_str() + close + 1, " %c %*u %lu", &state, &processGroup) == 2 &&
            state != 'Z' && processGroup == group)
            return true;
    }
    return false;
}

namespace {

const auto* const g_gdiplus = testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

// The squares in the densest row of a rendered page: runs of dark pixels.
int squaresOn(const ZString& bitmapPath)
{
    Gdiplus::Bitmap bitmap(bitmapPath.c_str());
    int most = 0;
    for (UINT y = 0; y < bitmap.GetHeight(); ++y) {
        int runs = 0;
        bool inside = false;
        for (UINT x = 0; x < bitmap.GetWidth(); ++x) {
            Gdiplus::Color color;
            bitmap.GetPixel(static_cast<INT>(x), static_cast<INT>(y), &color);
            const bool dark = color.GetR() + color.GetG() + color.GetB() < 3 * 128;
            runs += dark && !inside ? 1 : 0;
            inside = dark;
        }
        most = std::max(most, runs);
    }
    return most;
}

} // namespace

std::string squaresPostScript(int pages)
{
    return "%!PS\n<< /PageSize [612 792] >> setpagedevice\n1 1 " + std::to_string(pages) +
           " { /k exch def 1 1 k { 100 mul 300 moveto 50 0 rlineto 0 50 rlineto -50 0 rlineto closepath fill } for"
           " showpage } for\n";
}

std::vector<int> squaresOnPages(const ZString& file, const ZString& folder)
{
    deleteTree(folder);
    createFolder(folder, true);
    renderPagesBmp(file, joinPath(folder, L"page%d.bmp"), 1, 100, 20);
    std::vector<int> pages;
    for (int page = 1; isFile(joinPath(folder, ZString::format(L"page%d.bmp", page))); ++page)
        pages.push_back(squaresOn(joinPath(folder, ZString::format(L"page%d.bmp", page))));
    return pages;
}

PrinterDc::PrinterDc() : m_dc(CreateDCW(L"WINSPOOL", kTestPrinter, nullptr, nullptr)) {}

PrinterDc::~PrinterDc()
{
    if (m_dc != nullptr)
        DeleteDC(m_dc);
}
