// The program's message boxes: error, confirmation, information and note, owned
// by the main window, captions from the language catalogue. Everything that
// talks to the user in a box goes through these, so tests can answer them.
#pragma once

#include "base/MessageBox.h"
#include "base/WindowHandle.h"
#include "base/ZString.h"

// The window that owns the boxes (the main window once it exists; none before).
void setMessageOwner(HWND owner);
HWND messageOwner();

// Error icon, OK; caption "general/error".
void showError(const ZString& text);
// The given MB_* buttons with the question icon; caption "general/confirmation".
// Returns the pressed button (IDYES, IDNO, IDCANCEL, ...).
int askConfirmation(const ZString& text, unsigned buttons);
// Information icon; caption "general/info".
void showInfo(const ZString& text);
// A box with the given caption and MB_* flags; returns the pressed button.
int showMessage(const ZString& text, const ZString& caption, unsigned flags);
// The same, owned by the given window (a dialog that asks for itself).
int showMessage(HWND owner, const ZString& text, const ZString& caption, unsigned flags);
// Warning icon; caption "general/note"; the text of
// "quillet/explorer/list/~note-characters-not-allowed" with {CHARACTERS} filled in.
void showCharactersNotAllowed(const ZString& characters);

// Tests answer the boxes with setMessageAnswerer (base/MessageBox.h).
