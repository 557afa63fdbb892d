// Our language service: the catalogue "lang\<code>.txt" beside the program (or
// in the folder named by TAMLO_LANG_DIR), chosen by the general setting
// "Language"; English is the fallback for languages without a catalogue, and
// then also the language the service reports.
#include "base/Files.h"
#include "base/Lang.h"
#include "base/Paths.h"
#include "base/Settings.h"
#include "suite/lang/LangCatalogue.h"

#include <windows.h>

#include <mutex>
#include <string>

namespace {

struct LanguageName {
    const wchar_t* name;
    const wchar_t* english;
    const wchar_t* code;
};

const LanguageName kLanguages[] = {
    {L"English", L"English", L"en"},   {L"Deutsch", L"German", L"de"},   {L"Français", L"French", L"fr"},
    {L"Español", L"Spanish", L"es"},   {L"Italiano", L"Italian", L"it"}, {L"Nederlands", L"Dutch", L"nl"},
    {L"Polski", L"Polish", L"pl"},     {L"Português", L"Portuguese", L"pt"},
};

const LanguageName& currentLanguage()
{
    const ZString setting = config_getStr(L"Language", ZString(L"English"));
    for (const LanguageName& language : kLanguages)
        if (setting.equalsIgnoreCase(language.name) || setting.equalsIgnoreCase(language.english) ||
            setting.equalsIgnoreCase(language.code))
            return language;
    return kLanguages[0];
}

ZString catalogueFolder()
{
    wchar_t buffer[4096];
    DWORD n = GetEnvironmentVariableW(L"TAMLO_LANG_DIR", buffer, 4096);
    if (n > 0 && n < 4096)
        return ZString(buffer, static_cast<int>(n));
    n = GetModuleFileNameW(nullptr, buffer, 4096);
    if (n == 0 || n >= 4096)
        return ZString(L"lang");
    return joinPath(folderPart(ZString(buffer, static_cast<int>(n))), L"lang");
}

class Catalogue {
public:
    Catalogue()
    {
        const ZString folder = catalogueFolder();
        std::string bytes;
        // English first, so that a partial translation still shows a text for every key.
        if (readWholeFile(joinPath(folder, L"en.txt"), bytes))
            parseLangCatalogue(bytes, m_texts);
        const LanguageName& wanted = currentLanguage();
        const ZString code(wanted.code);
        if (!code.equals(L"en") && readWholeFile(joinPath(folder, code + L".txt"), bytes)) {
            parseLangCatalogue(bytes, m_texts);
            m_language = &wanted;
        }
    }

    // The language whose texts are served: English when the chosen one has no catalogue.
    const LanguageName& language() const { return *m_language; }

    const ZString* find(const ZString& key) const
    {
        const auto it = m_texts.find(key);
        return it == m_texts.end() ? nullptr : &it->second;
    }

    const ZString& placeholder(const ZString& key)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        auto it = m_missing.find(key);
        if (it == m_missing.end())
            it = m_missing.emplace(key, ZString(L"[[") + key + L"]]").first;
        return it->second;
    }

private:
    const LanguageName* m_language = &kLanguages[0];
    LangTable m_texts; // not changed after construction
    std::mutex m_lock;
    LangTable m_missing;
};

Catalogue& catalogue()
{
    static Catalogue instance; // thread-safe initialisation
    return instance;
}

} // namespace

const ZString& lang_getStr(const wchar_t* key)
{
    const ZString k(key);
    if (const ZString* text = catalogue().find(k))
        return *text;
    return catalogue().placeholder(k);
}

bool lang_hasStr(const wchar_t* key) { return catalogue().find(ZString(key)) != nullptr; }

void lang_getCurrent(LangInfo& info)
{
    const LanguageName& language = catalogue().language();
    info.name = language.name;
    info.englishName = language.english;
    info.code = language.code;
}
