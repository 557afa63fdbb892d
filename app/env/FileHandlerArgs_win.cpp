#include "app/env/FileHandlerArgs.h"

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

int FileHandlerArgs::handleOption(const ZString& key, const ZString& value)
{
    if (key.equals(L"-dir")) {
        dir = value;
        return 1;
    }
    if (key.equals(L"-name")) {
        name = value;
        return 1;
    }
    if (key.equals(L"-profile")) {
        profile = value;
        return 1;
    }
    if (key.equals(L"-serviceName")) {
        serviceName = value;
        return 1;
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
    if (!dir.isEmpty())
        s.append(L" -dir ").append(quote(stripTrailingSeparators(dir)));
    if (!name.isEmpty())
        s.append(L" -name ").append(quote(name));
    if (!profile.isEmpty())
        s.append(L" -profile ").append(quote(profile));
    if (!serviceName.isEmpty())
        s.append(L" -serviceName ").append(quote(serviceName));
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
