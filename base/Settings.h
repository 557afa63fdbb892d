// The settings service: three scopes of named values, each read with a default
// given at the call. Safe to call from any thread.
//   user:         the current user's settings, read and written (writes persist at once)
//   installation: the installation's settings, read only for the program
//   general:      the suite's general (policy) settings, read only
#pragma once

#include "base/ZString.h"

#include <cstdint>

ZString userConfig_getStr(const wchar_t* key, const ZString& defaultValue);
uint32_t userConfig_getDword(const wchar_t* key, uint32_t defaultValue);
void userConfig_setStr(const wchar_t* key, const ZString& value);
void userConfig_setDword(const wchar_t* key, uint32_t value);

ZString progConfig_getStr(const wchar_t* key, const ZString& defaultValue);
uint32_t progConfig_getDword(const wchar_t* key, uint32_t defaultValue);

ZString config_getStr(const wchar_t* key, const ZString& defaultValue);
uint32_t config_getDword(const wchar_t* key, uint32_t defaultValue);
