#include "base/Trace.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace {

// The trace file, opened once on the first mark; none when not asked for.
class TraceFile {
public:
    TraceFile()
    {
        wchar_t path[MAX_PATH] = {};
        const DWORD length = GetEnvironmentVariableW(L"QUILLET_TRACE", path, MAX_PATH);
        if (length > 0 && length < MAX_PATH)
            m_file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~TraceFile()
    {
        if (m_file != INVALID_HANDLE_VALUE)
            CloseHandle(m_file);
    }
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;

    void write(const char* name) const
    {
        if (m_file == INVALID_HANDLE_VALUE)
            return;
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        char line[128];
        const int length = std::snprintf(line, sizeof line, "%lld %s\n", static_cast<long long>(now.QuadPart), name);
        DWORD written = 0;
        if (length > 0) // one write per line: appends from several threads stay whole lines
            WriteFile(m_file, line, static_cast<DWORD>(std::min<int>(length, sizeof line - 1)), &written, nullptr);
    }

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
};

} // namespace

void traceMark(const char* name)
{
    static const TraceFile file;
    file.write(name);
}
