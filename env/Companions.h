// The suite's companion programs, all found in the program folder (setting
// "BinDir"), and the other programs the menus start.
#pragma once

#include "base/WindowHandle.h"
#include "base/ZString.h"

class FileHandlerArgs;

inline const wchar_t* const kBackgroundProgram = L"tamlo.exe";
inline const wchar_t* const kSettingsProgram = L"tamlo-Setbox.exe";
inline const wchar_t* const kConversionTool = L"tamlo-Vistel.exe";
inline const wchar_t* const kFaxProgram = L"tamlo-Faxer.exe";
inline const wchar_t* const kUpdater = L"tamlo-Renew.exe";

// "BinDir" joined with the file name; in double quotes when quoted is set.
ZString companionPath(const wchar_t* fileName, bool quoted = false);
bool companionExists(const wchar_t* fileName);

// Starts the background program hidden unless its window (class "Tamlo_Backend",
// title "Tamlo") exists; does not wait. False when it had to be started and could not.
bool startBackgroundProgram();

// The settings program, with the elevation prompt when elevated is set.
void openSettingsProgram(bool elevated);
// The conversion tool's scanner import.
void openScannerImport();
// The conversion tool's page extraction for a PDF; with an empty path the user
// chooses one first (owned by the main window).
void extractPages(const ZString& pdfPath);
void openCertificateManager();
// The updater, with the given arguments (may be empty).
void openUpdater(const ZString& arguments);
// Starts the fax program with the files and options of args as its command line;
// false when it could not be started.
bool handFilesToFaxProgram(const FileHandlerArgs& args);
// Starts a companion program with the shell's "open" verb on behalf of owner;
// false when it could not be started.
bool startCompanion(HWND owner, const wchar_t* fileName, const ZString& arguments, int show);
// Opens a web address in the default browser.
void openUrl(const ZString& url);
