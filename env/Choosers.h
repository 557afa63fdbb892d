// The file and folder choosers that several commands share.
#pragma once

#include "base/WindowHandle.h"
#include "base/ZString.h"

#include <vector>

struct FileFilter {
    ZString description; // e.g. "All Files (*.*)"
    ZString pattern;     // e.g. "*.*"
};

// A file-system folder; the dialog opens on initialFolder. The title defaults to
// the text of "quillet/choose-folder". False when cancelled or without a path.
bool chooseFolder(HWND owner, const ZString& initialFolder, const ZString& title, ZString& folder);

// One or more existing files, as full paths.
bool chooseDocuments(HWND owner, const std::vector<FileFilter>& filters, std::vector<ZString>& paths);

// An existing PDF file.
bool choosePdfFile(HWND owner, const ZString& initialFolder, const ZString& initialName, ZString& path);

// A text file to write, ending in ".txt"; the user confirms overwriting.
bool chooseTextFileToSave(HWND owner, const ZString& initialFolder, const ZString& initialName, ZString& path);
