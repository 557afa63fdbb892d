// The language service: user-interface texts by slash-separated key
// ("general/error", "quillet/jobs/merge-all"; a last segment starting with "~"
// marks a long text). Safe to call from any thread.
#pragma once

#include "base/ZString.h"

struct LangInfo {
    ZString name;        // the language's own name, e.g. "English"
    ZString englishName; // its English name
    ZString code;        // e.g. "en"
};

// The text for key, owned by the service for the life of the process.
// An unknown key yields a visible placeholder of the form "[[key]]".
const ZString& lang_getStr(const wchar_t* key);
bool lang_hasStr(const wchar_t* key);
void lang_getCurrent(LangInfo& info);
