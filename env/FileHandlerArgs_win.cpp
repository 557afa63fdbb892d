#include "env/FileHandlerArgs.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "base/TextUtil.h"

FileHandlerArgs::FileHandlerArgs(const ZString& dir_, const ZString& name_, const ZString& profile_,
                                 const ZString& file, bool deleteFiles_)
    : dir(dir_), name(name_), profile(profile_), deleteFiles(deleteFiles_)
{
    if (!file.isEmpty())
        files.push_back(file);
}

void FileHandlerArgs::reset()
{
    dir = ZString();
    name = ZString();
    profile = ZString();
    serviceName = ZString();
    files.clear();
    deleteFiles = false;
}

namespace {

// The options that take the next element as their value, in the serialised order.
const struct {
    const wchar_t* option;
    ZString FileHandlerArgs::*field;
} kValueOptions[] = {
    {L"-dir", &FileHandlerArgs::dir},
    {L"-name", &FileHandlerArgs::name},
    {L"-profile", &FileHandlerArgs::profile},
    {L"-serviceName", &FileHandlerArgs::serviceName},
};

} // namespace

int FileHandlerArgs::handleOption(const ZString& key, const ZString& value)
{
    for (const auto& valueOption : kValueOptions) {
        if (key.equals(valueOption.option)) {
            this->*valueOption.field = value;
            return 1;
        }
    }
    if (key.equals(L"-deleteFile") || key.equals(L"-deleteFiles")) {
        deleteFiles = true;
        return 0;
    }
    if (!key.startsWith(L'-') && pathExists(key))
        files.push_back(key);
    return 0;
}

ZString FileHandlerArgs::toCommandLine() const
{
    ZString s;
    if (deleteFiles)
        s.append(files.size() == 1 ? L" -deleteFile" : L" -deleteFiles");
    for (const auto& valueOption : kValueOptions) {
        const ZString& value = this->*valueOption.field;
        if (value.isEmpty())
            continue;
        // The folder goes without its trailing separator.
        const bool folder = valueOption.field == &FileHandlerArgs::dir;
        s.append(L" ").append(valueOption.option).append(L" ");
        s.append(quote(folder ? stripTrailingSeparators(value) : value));
    }
    for (const ZString& file : files)
        s.append(quote(file, true));
    return s.trim();
}

int FileHandlerArgs::countExistingFiles() const
{
    int n = 0;
    for (const ZString& file : files)
        if (pathExists(file))
            ++n;
    return n;
}

void FileHandlerArgs::deleteTemporaryFiles() const
{
    if (!deleteFiles)
        return;
    ZString temp = tempFolder() + L"\\";
    temp.toLower();
    for (const ZString& file : files) {
        ZString lower(file);
        if (isFile(file) && lower.toLower().startsWith(temp))
            deleteFile(file, true);
    }
}
