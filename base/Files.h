// File and folder operations on Windows paths: temporary files, deletion now
// or at exit, copying with retries, listing, and a few path questions.
// All report failure by their result; only copyFileRetry talks to the user.
#pragma once

#include "base/WindowHandle.h"
#include "base/ZString.h"

#include <cstdint>
#include <string>
#include <vector>

// The temporary folder: GetTempPathW when it names an existing folder, else the
// first existing of %TMP%, %TEMP%, %TMPDIR%, else ".". No trailing separator.
ZString tempFolder();

// A path under the temporary folder (joined with subFolder, which is created,
// when one is given) that does not exist yet: prefix + tick count + "_" +
// random value + "_" + a process-wide counter + extension. Nothing is created.
ZString makeTempFileName(const ZString& subFolder, const ZString& prefix, const ZString& extension);

// As makeTempFileName, created as a folder. Empty when that fails.
ZString uniqueTempFolder(const ZString& subFolder, const ZString& prefix, const ZString& suffix);

// The sub-folder of the temporary folder that holds the program's own files.
inline const wchar_t* const kTempSubFolder = L"Tamlo";

// Removes what an earlier run left in the program's own temporary sub-folder
// (a run that crashed or was killed). Only for start-up of the one instance.
void removeLeftoverTempFiles();

// A name for writing target's next contents: in target's own folder (so that
// moving it into place replaces target in one step) and not existing yet.
ZString partialFileFor(const ZString& target);
// Moves a completely written partial file over target. On failure the partial
// file is deleted and target stays as it was.
bool moveIntoPlace(const ZString& partial, const ZString& target);

// The path itself when it is free, else "name (N).ext" with the first free N >= 1.
ZString freeNumberedName(const ZString& path);

bool createFolder(const ZString& path, bool withParents);

// The whole file's bytes into bytes; false when it cannot be opened. Others
// may read, write or delete the file meanwhile.
bool readWholeFile(const ZString& path, std::string& bytes);
// The file made anew with the bytes, or the bytes added at its end (it is
// created when missing; others may append at the same time). False unless
// every byte was written.
bool writeWholeFile(const ZString& path, const std::string& bytes);
bool appendToFile(const ZString& path, const std::string& bytes);

// False for an empty or missing path; on failure the path is queued for deletion
// at exit when deferOnFailure is set.
bool deleteFile(const ZString& path, bool deferOnFailure);

// Deletes a file, or a folder with everything in it except hidden and system
// entries (which stay, and then so does their folder).
bool deleteTree(const ZString& path);

// Queues a path for deletion at exit without trying now (files that live for
// the rest of the run, such as page images). Empty paths are ignored.
void deleteLater(const ZString& path);

// Deletes every queued path that still exists (files, or folders as trees) and
// empties the queue. Runs at process exit by itself; may be called earlier.
void deleteDeferredFiles();

// The number of paths waiting for deletion at exit.
size_t deferredDeletionCount();

// CopyFileW overwriting the target, with attempts-1 further tries after pauseMs
// each. The copy is made under a partial name beside the target and moved into
// place when complete, so a failed copy leaves the target as it was.
bool copyFile(const ZString& from, const ZString& to, int attempts = 1, uint32_t pauseMs = 0);

// copyFile with 5 attempts, 500 ms apart; on failure a "File copy error" box
// (through the message box of base/MessageBox.h).
bool copyFileRetry(const ZString& from, const ZString& to, HWND owner);

enum ListFlags : unsigned { kListFiles = 1, kListFolders = 2 };

// Full paths of the folder's entries (not "." or ".."), skipping any entry with
// one of the excluded attributes. files and folders may be null.
void listFolder(const ZString& folder, std::vector<ZString>* files, std::vector<ZString>* folders,
                unsigned flags = kListFiles | kListFolders, uint32_t excludedAttributes = 0);

// Entries that have one of wanted and none of excluded attributes; stops at limit (-1: none).
int countEntries(const ZString& folder, uint32_t wantedAttributes, uint32_t excludedAttributes, int limit = -1);

enum FilterFlags : unsigned { kFilterExistingFiles = 1, kFilterFolders = 2 };
void filterPaths(const std::vector<ZString>& paths, std::vector<ZString>& out, unsigned flags);

bool pathExists(const ZString& path);
bool isFolder(const ZString& path);
bool isFile(const ZString& path);
ZString fullPath(const ZString& path);

// For a ".lnk" path the shortcut's target, else (or when unreadable) the path.
ZString resolveShortcut(const ZString& path);

// The user's desktop folder from the shell folder settings; empty when unknown.
ZString desktopFolder();
