#include "base/Files.h"
#include "base/MessageBox.h"
#include "base/Paths.h"
#include "base/Settings.h"
#include "suite/settings/SettingsStore.h"

#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <cwchar>
#include <mutex>

namespace {

const wchar_t* const kSection = L"Settings";

std::recursive_mutex& storeLock()
{
    static std::recursive_mutex lock;
    return lock;
}

ZString& folderOverride()
{
    static ZString folder;
    return folder;
}

ZString programFolder()
{
    wchar_t buffer[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 4);
    if (n == 0 || n >= MAX_PATH * 4)
        return ZString(L".");
    return folderPart(ZString(buffer, static_cast<int>(n)));
}

// The user's own settings folder: "Tamlo\Quillet" in the user's application
// data, so that every Windows user has settings of their own, writable also
// when the program sits in a folder only administrators may change.
ZString userFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, buffer)))
        return joinPath(ZString(buffer), L"Tamlo\\Quillet");
    return joinPath(programFolder(), L"config");
}

// The folder named by settingsStore_setFolder or TAMLO_CONFIG_DIR; empty when neither.
ZString overrideFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    wchar_t buffer[4096];
    const DWORD n = GetEnvironmentVariableW(L"TAMLO_CONFIG_DIR", buffer, 4096);
    if (n > 0 && n < 4096)
        return ZString(buffer, static_cast<int>(n));
    return ZString();
}

// A settings file that cannot be written is reported once per process: the
// user learns that changes are not kept, without a box at every change.
void reportUnwritable(const ZString& path)
{
    static std::atomic<bool> reported{false};
    if (reported.exchange(true))
        return;
    messageBox(nullptr,
               L"The settings file \"" + path +
                   L"\" cannot be written. Changes to the settings are not kept after the program ends.",
               L"Tamlo Quillet", MB_OK | MB_ICONWARNING);
}

const wchar_t* fileName(SettingsScope scope)
{
    switch (scope) {
    case SettingsScope::User:
        return L"user.ini";
    case SettingsScope::Program:
        return L"program.ini";
    case SettingsScope::General:
        break;
    }
    return L"general.ini";
}

// A new profile file starts with a UTF-16 byte order mark, so that the profile
// functions keep every character of what we write.
void ensureUnicodeFile(const ZString& path)
{
    if (pathExists(path))
        return;
    createFolder(folderPart(path), true);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const unsigned char bom[2] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(file, bom, 2, &written, nullptr);
    CloseHandle(file);
}

// Reads a stored value; false when the scope has no value for key.
bool readStored(SettingsScope scope, const wchar_t* key, ZString& value)
{
    std::lock_guard<std::recursive_mutex> guard(storeLock());
    const ZString path = settingsStore_file(scope);
    // A sentinel default tells "not stored" apart from "stored empty".
    const wchar_t* const missing = L"\x1F<missing>\x1F";
    int size = 1024;
    for (;;) {
        value.setLength(size);
        const DWORD n = GetPrivateProfileStringW(kSection, key, missing, value.data(), static_cast<DWORD>(size),
                                                 path.c_str());
        if (static_cast<int>(n) < size - 2) {
            value.truncate(static_cast<int>(n));
            break;
        }
        size *= 4;
    }
    return !value.equals(missing);
}

ZString readStr(SettingsScope scope, const wchar_t* key, const ZString& defaultValue)
{
    ZString value;
    return readStored(scope, key, value) ? value : defaultValue;
}

uint32_t toDword(const ZString& text, uint32_t defaultValue)
{
    if (text.isEmpty())
        return defaultValue;
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text.c_str(), &end, 10);
    return end == text.c_str() ? defaultValue : static_cast<uint32_t>(value);
}

uint32_t readDword(SettingsScope scope, const wchar_t* key, uint32_t defaultValue)
{
    return toDword(readStr(scope, key, ZString()), defaultValue);
}

} // namespace

void settingsStore_setFolder(const ZString& folder)
{
    std::lock_guard<std::recursive_mutex> guard(storeLock());
    folderOverride() = folder;
}

ZString settingsStore_folder()
{
    std::lock_guard<std::recursive_mutex> guard(storeLock());
    const ZString folder = overrideFolder();
    return folder.isEmpty() ? joinPath(programFolder(), L"config") : folder;
}

ZString settingsStore_file(SettingsScope scope)
{
    std::lock_guard<std::recursive_mutex> guard(storeLock());
    if (scope == SettingsScope::User && overrideFolder().isEmpty())
        return joinPath(userFolder(), fileName(scope));
    return joinPath(settingsStore_folder(), fileName(scope));
}

void settingsStore_setStr(SettingsScope scope, const wchar_t* key, const ZString& value)
{
    std::lock_guard<std::recursive_mutex> guard(storeLock());
    const ZString path = settingsStore_file(scope);
    ensureUnicodeFile(path);
    // Quoted, so that leading and trailing blanks and quotes survive the round trip.
    const ZString stored = ZString(L"\"") + value + L"\"";
    if (!WritePrivateProfileStringW(kSection, key, stored.c_str(), path.c_str()))
        reportUnwritable(path);
}

void settingsStore_setDword(SettingsScope scope, const wchar_t* key, uint32_t value)
{
    ZString text;
    text.appendNumber(static_cast<unsigned long>(value));
    settingsStore_setStr(scope, key, text);
}

void settingsStore_remove(SettingsScope scope, const wchar_t* key)
{
    std::lock_guard<std::recursive_mutex> guard(storeLock());
    WritePrivateProfileStringW(kSection, key, nullptr, settingsStore_file(scope).c_str());
}

ZString userConfig_getStr(const wchar_t* key, const ZString& defaultValue)
{
    return readStr(SettingsScope::User, key, defaultValue);
}

uint32_t userConfig_getDword(const wchar_t* key, uint32_t defaultValue)
{
    return readDword(SettingsScope::User, key, defaultValue);
}

void userConfig_setStr(const wchar_t* key, const ZString& value) { settingsStore_setStr(SettingsScope::User, key, value); }

void userConfig_setDword(const wchar_t* key, uint32_t value) { settingsStore_setDword(SettingsScope::User, key, value); }

ZString progConfig_getStr(const wchar_t* key, const ZString& defaultValue)
{
    return readStr(SettingsScope::Program, key, defaultValue);
}

uint32_t progConfig_getDword(const wchar_t* key, uint32_t defaultValue)
{
    return readDword(SettingsScope::Program, key, defaultValue);
}

// The general scope is a merged lookup: the suite's policy file first, then the
// user's settings, then the installation's.
ZString config_getStr(const wchar_t* key, const ZString& defaultValue)
{
    std::lock_guard<std::recursive_mutex> guard(storeLock());
    ZString value;
    for (SettingsScope scope : {SettingsScope::General, SettingsScope::User, SettingsScope::Program})
        if (readStored(scope, key, value))
            return value;
    return defaultValue;
}

uint32_t config_getDword(const wchar_t* key, uint32_t defaultValue)
{
    return toDword(config_getStr(key, ZString()), defaultValue);
}
