// The user's folders and the process environment that Ghostscript and the
// suite's companion programs inherit. Folders and the installation come from
// the settings: "InstallDir" and "BinDir" (installation), "LocalAppDataDir",
// "ArchiveDir" and "FavoriteDir" (user).
#pragma once

#include "base/ZString.h"

#include <ctime>

// Makes sure the three user folders are set and exist (created with their
// parents). Throws std::runtime_error with "USER_SKEY_PROG_USER_DIR not set in
// config", "USER_SKEY_ARCHIVE_DIR not set in config", "USER_SKEY_FAVORITE_DIR not
// set in config" or "App::checkDirectories() - Ordner konnte nicht angelegt werden".
void ensureUserFolders();

// What goes in front of PATH: the installation folder, the program folder when
// it differs, then the installation's gs\bin and gs\lib.
ZString ghostscriptPathAddition(const ZString& installDir, const ZString& binDir);

// Puts the addition in front of PATH (once) and sets GS_DLL, GS_LIB, TMP, TEMP
// and TMPDIR. A failing PATH update is reported in a message box.
void setGhostscriptEnvironment();

// The archive folder's sub-folder for the month of when ("MM.YYYY"), created when
// missing; empty when it cannot be created. Throws when "ArchiveDir" is not set.
ZString archiveFolderOfMonth(const std::tm& when);
ZString archiveFolderOfThisMonth();
