// The explorer's rules for names the user gives: a new folder's free name and
// what a rename may change.
#pragma once

#include "base/ZString.h"

#include <functional>

// The nine characters no file name may hold, in the order the note lists them.
inline constexpr const wchar_t* kInvalidNameCharacters = L"/\\:<>*?\"|";

// base, else base followed by "(1)", "(2)", ... : the first name taken says false.
ZString freeFolderName(const ZString& base, const std::function<bool(const ZString&)>& taken);

enum class RenameVerdict {
    KeepName,           // empty text, or the same name
    CharactersNotAllowed,
    ExtensionChanged,   // a file would change its format
    Rename,
};
// newText is trimmed in place; isFile: the item is a file.
RenameVerdict judgeRename(const ZString& oldName, ZString& newText, bool isFile);
