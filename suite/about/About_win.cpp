// Our about box: a message box (so tests can answer it) with the product name,
// the version, the copyright line and the licences of what we ship: zlib
// always, the interpreter only where the installation bundles it.
#include "base/About.h"

#include "base/Files.h"
#include "base/Lang.h"
#include "base/MessageBox.h"
#include "base/Paths.h"
#include "base/Settings.h"

#include <windows.h>

namespace {

const wchar_t* const kVersion = L"8.3.0";

// The interpreter is bundled when the installation holds it in "gs".
bool interpreterBundled()
{
    const ZString installDir = progConfig_getStr(L"InstallDir", ZString());
    return !installDir.isEmpty() && isFolder(joinPath(installDir, L"gs"));
}

} // namespace

void about_show(HWND owner)
{
    ZString version(lang_getStr(L"about/version"));
    version.replaceAll(L"{VERSION}", kVersion);
    ZString text(lang_getStr(L"about/product"));
    text.append(L"\n").append(version);
    text.append(L"\n\n").append(lang_getStr(L"about/copyright"));
    text.append(L"\n\n").append(lang_getStr(L"about/~licence-zlib"));
    if (interpreterBundled())
        text.append(L"\n\n").append(lang_getStr(L"about/~licence-interpreter"));
    messageBox(owner, text, lang_getStr(L"about/title"), MB_OK | MB_ICONINFORMATION);
}
