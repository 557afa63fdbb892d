#include "explorer/NameRules.h"

#include "explorer/ExplorerItems.h"

ZString freeFolderName(const ZString& base, const std::function<bool(const ZString&)>& taken)
{
    if (!taken(base))
        return base;
    for (int n = 1;; ++n) {
        const ZString candidate = ZString::format(L"%ls(%d)", base.c_str(), n);
        if (!taken(candidate))
            return candidate;
    }
}

RenameVerdict judgeRename(const ZString& oldName, ZString& newText, bool isFile)
{
    newText.trim();
    if (newText.isEmpty() || newText == oldName)
        return RenameVerdict::KeepName;
    if (newText.countChars(kInvalidNameCharacters) > 0)
        return RenameVerdict::CharactersNotAllowed;
    if (isFile && !fileExtension(oldName).equalsIgnoreCase(fileExtension(newText)))
        return RenameVerdict::ExtensionChanged;
    return RenameVerdict::Rename;
}
