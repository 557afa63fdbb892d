// Where our settings service keeps its three scopes, and the writes that only
// the installation step and tests make.
//
// Each scope is one UTF-16 profile file, section [Settings]: "user.ini",
// "program.ini" and "general.ini". All three lie in the folder set by
// settingsStore_setFolder, else in the one named by the environment variable
// TAMLO_CONFIG_DIR. Without either, "user.ini" is the user's own, in
// "Tamlo\Quillet" in the user's application data, and the installation's
// files lie in the folder "config" beside the running program
// (settingsStore_folder). A file that cannot be written is reported once.
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
