#include "operations/TextExtraction.h"

#include "base/Files.h"
#include "operations/ChildProcess.h"

#include <windows.h>

#include <cstdio>

namespace {

const int kLineLimit = 4096;

char umlautOf(char vowel)
{
    switch (vowel) {
    case 'A': return '\xC4';
    case 'O': return '\xD6';
    case 'U': return '\xDC';
    case 'a': return '\xE4';
    case 'o': return '\xF6';
    case 'u': return '\xFC';
    default: return 0;
    }
}

} // namespace

std::string umlautsFromQuotedVowels(const std::string& line)
{
    std::string out;
    out.reserve(line.size());
    for (size_t i = 0; i < line.size(); ++i) {
        const char umlaut = umlautOf(line[i]);
        if (umlaut != 0 && i + 1 < line.size() && line[i + 1] == '"') {
            out.push_back(umlaut);
            ++i;
        } else {
            out.push_back(line[i]);
        }
    }
    return out;
}

bool convertQuotedVowelFile(const ZString& path)
{
    wchar_t tempName[MAX_PATH + 1] = {};
    if (GetTempFileNameW(tempFolder().c_str(), L"pdf", 0, tempName) == 0)
        return false;
    const ZString temp(tempName);
    FILE* target = _wfopen(temp.c_str(), L"wt");
    FILE* source = _wfopen(path.c_str(), L"rt");
    if (target == nullptr || source == nullptr) {
        if (target != nullptr)
            fclose(target);
        if (source != nullptr)
            fclose(source);
        deleteFile(temp, true);
        return false;
    }
    char line[kLineLimit];
    while (fgets(line, kLineLimit, source) != nullptr) {
        const std::string converted = umlautsFromQuotedVowels(line);
        fwrite(converted.data(), 1, converted.size(), target);
    }
    fclose(source);
    fclose(target);
    deleteFile(path, false);
    const bool copied = copyFileRetry(temp, path, nullptr);
    deleteFile(temp, true);
    return copied;
}

bool pdfToText(const ZString& in, const ZString& out, AbortControl* control)
{
    runAndWait(L"ps2ascii.bat \"" + in + L"\" \"" + out + L"\"", control);
    return convertQuotedVowelFile(out);
}
