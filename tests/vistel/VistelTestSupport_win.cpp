#include "tests/vistel/VistelTestSupport_win.h"

#include "tests/support/GdiplusEnvironment.h"
#include "base/Files.h"
#include "base/TextUtil.h"
#include "operations/ChildProcess.h"
#include "tests/support/TestSupport.h"
#include "zpdf/Document.h"
#include "zpdf/Names.h"
#include "zpdf/Stream.h"

#include <gdiplus.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace Gdiplus;

const auto* const g_gdiplus = testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

bool encoderFor(const wchar_t* mimeType, CLSID& clsid)
{
    UINT count = 0, size = 0;
    GetImageEncodersSize(&count, &size);
    std::vector<char> buffer(size);
    auto* encoders = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    GetImageEncoders(count, size, encoders);
    for (UINT i = 0; i < count; ++i)
        if (wcscmp(encoders[i].MimeType, mimeType) == 0) {
            clsid = encoders[i].Clsid;
            return true;
        }
    return false;
}

std::unique_ptr<Bitmap> paint(int width, int height, ColorAt colorAt)
{
    auto bitmap = std::make_unique<Bitmap>(width, height, PixelFormat32bppARGB);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap->SetPixel(x, y, Color(colorAt(x, y, width, height)));
    return bitmap;
}

} // namespace

bool writePicture(const ZString& path, const wchar_t* mimeType, int width, int height,
                  const std::vector<ColorAt>& pages)
{
    CLSID clsid;
    if (!encoderFor(mimeType, clsid))
        return false;
    std::unique_ptr<Bitmap> first = paint(width, height, pages.front());
    if (pages.size() == 1)
        return first->Save(path.c_str(), &clsid, nullptr) == Ok;
    EncoderParameters parameters;
    parameters.Count = 1;
    parameters.Parameter[0].Guid = EncoderSaveFlag;
    parameters.Parameter[0].Type = EncoderParameterValueTypeLong;
    parameters.Parameter[0].NumberOfValues = 1;
    ULONG flag = EncoderValueMultiFrame;
    parameters.Parameter[0].Value = &flag;
    bool ok = first->Save(path.c_str(), &clsid, &parameters) == Ok;
    for (size_t i = 1; ok && i < pages.size(); ++i) {
        flag = EncoderValueFrameDimensionPage;
        ok = first->SaveAdd(paint(width, height, pages[i]).get(), &parameters) == Ok;
    }
    flag = EncoderValueFlush;
    return ok && first->SaveAdd(&parameters) == Ok;
}

uint32_t quadrants(int x, int y, int width, int height)
{
    static const uint32_t colors[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    return colors[(y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0)];
}

int pdfPageCount(const ZString& pdf)
{
    try {
        zpdf::Document document(pdf);
        return document.getPageCount();
    } catch (const std::exception&) {
        return -1;
    }
}

std::string firstPageImageBytes(const ZString& pdf)
{
    zpdf::Document document(pdf);
    const auto page = document.getPage(0);
    const zpdf::IPtr<zpdf::Dict> xobjects = page->dict()->getDict(zpdf::kResources)->getDict(zpdf::kXObject);
    const zpdf::IPtr<zpdf::Stream> image = xobjects->get(zpdf::IPtr<zpdf::Name>(new zpdf::Name("Im0")))->toStream();
    const zpdf::DataBuffer& bytes = image->data()->bytes();
    return std::string(bytes.cString(), static_cast<size_t>(bytes.length()));
}

RenderedPage::RenderedPage(const ZString& pdf, int page)
{
    ScratchFolder folder;
    const ZString png = folder.file(L"page.png");
    runAndWait(quote(besideTests(L"gsbridge.exe")) + ZString::format(L" -q -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 "
                                                                      L"-dFirstPage=%d -dLastPage=%d -o ",
                                                                      page, page) +
               quote(png) + L" " + quote(pdf));
    Bitmap bitmap(png.c_str());
    if (bitmap.GetLastStatus() != Ok)
        return;
    m_width = static_cast<int>(bitmap.GetWidth());
    m_height = static_cast<int>(bitmap.GetHeight());
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            Color c;
            bitmap.GetPixel(x, y, &c);
            m_pixels.push_back(c.GetValue() & 0xFFFFFF);
        }
}

uint32_t RenderedPage::colorAt(double fx, double fy) const
{
    const int x = static_cast<int>(fx * m_width), y = static_cast<int>(fy * m_height);
    return m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
}

bool closeColors(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) > tolerance)
            return false;
    return true;
}

std::string extractedText(const ZString& pdf)
{
    ScratchFolder folder;
    const ZString text = folder.file(L"text.txt");
    runAndWait(quote(besideTests(L"gsbridge.exe")) + L" -q -dBATCH -dNOPAUSE -sDEVICE=txtwrite -o " + quote(text) +
               L" " + quote(pdf));
    return readFileBytes(text);
}

CompanionRun::CompanionRun(const ZString& arguments)
{
    const ZString program = besideTests(L"tamlo-Vistel.exe");
    std::wstring commandLine = (quote(program) + L" " + arguments).toStdString();
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info = {};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
        CloseHandle(info.hThread);
        m_process = info.hProcess;
        m_processId = info.dwProcessId;
    }
}

CompanionRun::~CompanionRun()
{
    if (m_process == nullptr)
        return;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 30000);
    }
    CloseHandle(m_process);
}

DWORD CompanionRun::exitCode()
{
    DWORD code = 0xDEAD;
    if (m_process != nullptr && WaitForSingleObject(m_process, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(m_process, &code);
    return code;
}

HWND CompanionRun::waitForBox(const wchar_t* caption) const
{
    HWND box = nullptr;
    waitFor(
        [&] {
            for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", caption)) != nullptr;) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == m_processId && IsWindowVisible(w))
                    box = w;
            }
            return box != nullptr;
        },
        30000);
    return box;
}

ZString boxText(HWND box)
{
    wchar_t text[2048] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 2048); // the box's static text
    return ZString(text);
}
