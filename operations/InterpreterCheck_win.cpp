#include "operations/InterpreterCheck.h"

#include "base/Files.h"
#include "base/Lang.h"
#include "base/MessageBox.h"

#include <atomic>

namespace {

std::atomic<bool> g_reported{false};

} // namespace

ZString interpreterProgram(const ZString& commandLine)
{
    ZString line(commandLine);
    line.trim();
    if (line.isEmpty())
        return ZString();
    if (line.startsWith(L'"')) {
        const int end = line.findChar(L'"', 1);
        return line.substring(1, end < 0 ? -1 : end - 1);
    }
    const int space = line.findChar(L' ');
    return space < 0 ? line : line.substring(0, space - 1);
}

bool reportMissingInterpreter(const ZString& commandLine)
{
    const ZString program = interpreterProgram(commandLine);
    // A bare program name is left to the system's search path.
    if (!program.isEmpty() && (isFile(program) || program.countChars(L"\\/:") == 0))
        return true;
    // Once per run: every page image and conversion would fail the same way.
    if (!g_reported.exchange(true)) {
        ZString text = lang_getStr(L"operations/~interpreter-missing");
        text.replaceAll(L"{FILE_NAME}", program.isEmpty() ? ZString(L"-") : program);
        messageBox(nullptr, text, lang_getStr(L"general/error"), 0x10 /* MB_ICONERROR */);
    }
    return false;
}

void resetInterpreterReport() { g_reported = false; }
