// A stand-in for the interpreter's console program, for tests that check what
// the program passes to it. It
//   - appends its whole command line (UTF-8, one line) to the file named by
//     GSRECORDER_LOG, and the bytes of an "@" argument file to that name + ".args";
//   - prints "gsrecorder" and the output file on its standard output;
//   - creates the file named by "-sOutputFile=" (a "%d" in it becomes 1);
//   - then waits GSRECORDER_WAIT_MS milliseconds, if set, and exits with
//     GSRECORDER_EXIT (default 0).
#include "base/Files.h"
#include "base/TextUtil.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

int wmain()
{
    const ZString commandLine(GetCommandLineW());
    const ZString log(_wgetenv(L"GSRECORDER_LOG"));
    ZString arguments = commandLine;
    const int at = commandLine.find(L"\"@");
    if (at >= 0) {
        std::string bytes;
        readWholeFile(commandLine.substring(at + 2, commandLine.findChar(L'"', at + 2) - 1), bytes);
        if (!log.isEmpty())
            appendToFile(log + L".args", bytes);
        arguments = utf8DecodeLenient(bytes.data(), bytes.size());
    }
    if (!log.isEmpty())
        appendToFile(log, commandLine.toUtf8() + "\n");

    // The value after "-sOutputFile=", up to its closing quote (or a blank when unquoted).
    ZString output;
    const int key = arguments.find(L"-sOutputFile=");
    if (key >= 0) {
        const int end = arguments.findChar(key > 0 && arguments.getAt(key - 1) == L'"' ? L'"' : L' ', key + 13);
        output = arguments.substring(key + 13, end < 0 ? -1 : end - 1);
        output.replaceFirst(L"%d", L"1");
    }
    printf("gsrecorder %s\n", output.toUtf8().c_str());
    fflush(stdout);
    if (!output.isEmpty())
        appendToFile(output, "recorded output\n");

    Sleep(static_cast<DWORD>(ZString(_wgetenv(L"GSRECORDER_WAIT_MS")).toInt()));
    return ZString(_wgetenv(L"GSRECORDER_EXIT")).toInt();
}
