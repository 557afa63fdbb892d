#include "suite/formatoptions/Profiles.h"

#include "base/Settings.h"
#include "base/TextUtil.h"

#include <algorithm>
#include <mutex>

namespace {

const wchar_t* const kProfileListKey = L"FormatProfiles";
const wchar_t* const kProfileKeyPrefix = L"FormatProfile:";

struct BuiltIn {
    const wchar_t* name;
    const wchar_t* options;
};

const BuiltIn kBuiltIns[] = {
    {L"default/good", L"pdfMode=rewrite;pdfSettings=/printer;resolution=150;jpegQuality=85;tiffMultipage=1"},
    {L"default/high", L"pdfMode=copy;pdfSettings=/prepress;resolution=300;jpegQuality=95;tiffMultipage=1"},
    {L"default/small", L"pdfMode=rewrite;pdfSettings=/ebook;resolution=96;jpegQuality=70;tiffMultipage=1"},
};

std::mutex& profileLock()
{
    static std::mutex lock;
    return lock;
}

std::vector<ZString> userProfileNames()
{
    std::vector<ZString> names;
    split(userConfig_getStr(kProfileListKey, ZString()), L"|", names);
    return names;
}

void storeUserProfileNames(const std::vector<ZString>& names)
{
    ZString text;
    for (const ZString& name : names) {
        if (!text.isEmpty())
            text.appendChar(L'|');
        text.append(name);
    }
    userConfig_setStr(kProfileListKey, text);
}

} // namespace

const std::vector<OutputFormat>& outputFormats()
{
    static const std::vector<OutputFormat> formats{
        {L"pdf", L"format-options/format/pdf"}, {L"png", L"format-options/format/png"},
        {L"jpg", L"format-options/format/jpg"}, {L"tif", L"format-options/format/tif"},
        {L"txt", L"format-options/format/txt"},
    };
    return formats;
}

bool isOutputFormat(const ZString& format)
{
    const auto& formats = outputFormats();
    return std::any_of(formats.begin(), formats.end(), [&](const OutputFormat& f) { return format.equals(f.extension); });
}

std::vector<ZString> profileNames()
{
    std::vector<ZString> names;
    for (const BuiltIn& b : kBuiltIns)
        names.emplace_back(b.name);
    std::lock_guard<std::mutex> guard(profileLock());
    for (const ZString& name : userProfileNames())
        names.push_back(name);
    return names;
}

bool isBuiltInProfile(const ZString& name)
{
    return std::any_of(std::begin(kBuiltIns), std::end(kBuiltIns), [&](const BuiltIn& b) { return name.equals(b.name); });
}

bool loadProfile(const ZString& name, FormatOptionSet& options)
{
    for (const BuiltIn& b : kBuiltIns)
        if (name.equals(b.name)) {
            options = parseOptions(b.options);
            options[L"profile"] = name;
            return true;
        }
    std::lock_guard<std::mutex> guard(profileLock());
    const auto names = userProfileNames();
    if (std::find(names.begin(), names.end(), name) == names.end())
        return false;
    options = parseOptions(userConfig_getStr((ZString(kProfileKeyPrefix) + name).c_str(), ZString()));
    options[L"profile"] = name;
    return true;
}

bool saveProfile(const ZString& name, const FormatOptionSet& options)
{
    ZString clean(name);
    clean.trim();
    if (clean.isEmpty() || isBuiltInProfile(clean) || clean.countChars(L"|;=") > 0)
        return false;
    FormatOptionSet stored(options);
    stored.erase(L"profile");
    std::lock_guard<std::mutex> guard(profileLock());
    auto names = userProfileNames();
    if (std::find(names.begin(), names.end(), clean) == names.end()) {
        names.push_back(clean);
        storeUserProfileNames(names);
    }
    userConfig_setStr((ZString(kProfileKeyPrefix) + clean).c_str(), serializeOptions(stored));
    return true;
}

bool deleteProfile(const ZString& name)
{
    std::lock_guard<std::mutex> guard(profileLock());
    auto names = userProfileNames();
    const auto it = std::find(names.begin(), names.end(), name);
    if (it == names.end())
        return false;
    names.erase(it);
    storeUserProfileNames(names);
    userConfig_setStr((ZString(kProfileKeyPrefix) + name).c_str(), ZString());
    return true;
}

ZString serializeOptions(const FormatOptionSet& options)
{
    ZString text;
    for (const auto& [key, value] : options) {
        if (!text.isEmpty())
            text.appendChar(L';');
        text.append(key).appendChar(L'=').append(value);
    }
    return text;
}

FormatOptionSet parseOptions(const ZString& text)
{
    FormatOptionSet options;
    std::vector<ZString> pairs;
    split(text, L";", pairs);
    for (const ZString& pair : pairs) {
        const int eq = pair.findChar(L'=');
        if (eq > 0)
            options[pair.substring(0, eq - 1)] = pair.substring(eq + 1);
    }
    return options;
}

int optionNumber(const FormatOptionSet& options, const wchar_t* key, int fallback)
{
    const auto it = options.find(ZString(key));
    if (it == options.end() || it->second.isEmpty())
        return fallback;
    const int value = it->second.toInt();
    return value > 0 ? value : fallback;
}

ZString optionText(const FormatOptionSet& options, const wchar_t* key, const ZString& fallback)
{
    const auto it = options.find(ZString(key));
    return it == options.end() || it->second.isEmpty() ? fallback : it->second;
}
