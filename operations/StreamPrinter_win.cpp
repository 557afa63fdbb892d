#include "operations/StreamPrinter.h"

#include <windows.h>

#include <mutex>
#include <string>

namespace {

std::mutex& outputLock()
{
    static std::mutex lock;
    return lock;
}

void closeHandle(void*& handle)
{
    if (handle != nullptr) {
        CloseHandle(handle);
        handle = nullptr;
    }
}

} // namespace

void writeStandardOutput(const char* bytes, size_t size)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE)
        return;
    std::lock_guard<std::mutex> guard(outputLock());
    while (size > 0) {
        DWORD written = 0;
        const DWORD chunk = size > 65536 ? 65536 : static_cast<DWORD>(size);
        if (!WriteFile(out, bytes, chunk, &written, nullptr) || written == 0)
            return;
        bytes += written;
        size -= written;
    }
}

void printCommandBanner(const ZString& commandLine)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE)
        return;
    const ZString text = ZString(L"================\r\n") + commandLine + L"\r\n----------------\r\n";
    DWORD mode = 0;
    if (GetConsoleMode(out, &mode)) {
        std::lock_guard<std::mutex> guard(outputLock());
        DWORD written = 0;
        WriteConsoleW(out, text.c_str(), static_cast<DWORD>(text.length()), &written, nullptr);
        return;
    }
    const std::string bytes = text.toUtf8();
    writeStandardOutput(bytes.data(), bytes.size());
}

StreamPrinter::~StreamPrinter()
{
    closeHandle(m_readEnd);
    closeHandle(m_doneEvent);
}

void StreamPrinter::run()
{
    char buffer[2048];
    DWORD n = 0;
    // Reading goes on when writing fails, so that the child never blocks on a full pipe.
    while (ReadFile(m_readEnd, buffer, sizeof buffer, &n, nullptr))
        if (n > 0)
            writeStandardOutput(buffer, n);
    closeHandle(m_readEnd);
    if (m_doneEvent != nullptr)
        SetEvent(m_doneEvent);
    delete this;
}

PipeCloser::~PipeCloser()
{
    closeHandle(m_process);
    closeHandle(m_writeEnd);
}

void PipeCloser::run()
{
    WaitForSingleObject(m_process, INFINITE);
    delete this;
}
