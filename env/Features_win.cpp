#include "env/Features.h"

#include "env/Companions.h"
#include "base/Settings.h"

#include <cwchar>

namespace {
struct Switch {
    const wchar_t* feature;
    const wchar_t* key;
};

const Switch kSwitches[] = {
    {L"fax", L"NoFax"},
    {L"mail", L"NoMail"},
    {L"embeddedBrowser", L"NoEmbeddedBrowser"},
    {L"tamloMailInterface", L"NoTamloMailInterface"},
    {L"twainImport", L"NoTwainImport"},
    {L"delayedToForegroundOnNewFile", L"NoDelayedToForegroundOnNewFile"},
};
} // namespace

bool isFeatureOn(const wchar_t* name)
{
    for (const Switch& s : kSwitches) {
        if (std::wcscmp(s.feature, name) != 0)
            continue;
        if (std::wcscmp(name, L"fax") == 0 && !companionExists(kFaxProgram))
            return false;
        return config_getDword(s.key, 0) == 0;
    }
    return true;
}
