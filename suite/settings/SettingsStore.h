// Where our settings service keeps its three scopes, and the writes that only
// the installation step and tests make.
//
// Each scope is one UTF-16 profile file in the settings folder: "user.ini",
// "program.ini" and "general.ini", section [Settings]. The folder is, in turn:
// the one set by settingsStore_setFolder, the environment variable
// TAMLO_CONFIG_DIR, or the folder "config" beside the running program.
#pragma once

#include "base/ZString.h"

#include <cstdint>

enum class SettingsScope { User, Program, General };

void settingsStore_setFolder(const ZString& folder);
ZString settingsStore_folder();
ZString settingsStore_file(SettingsScope scope);

void settingsStore_setStr(SettingsScope scope, const wchar_t* key, const ZString& value);
void settingsStore_setDword(SettingsScope scope, const wchar_t* key, uint32_t value);
void settingsStore_remove(SettingsScope scope, const wchar_t* key);
