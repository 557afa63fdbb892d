// Feature switches: parts of the user interface that an installation turns off
// with a setting "No" + feature name (merged lookup, default 0).
//   "fax"                            also needs the fax program in the program folder
//   "mail", "embeddedBrowser", "tamloMailInterface", "twainImport",
//   "delayedToForegroundOnNewFile"
// Any other name is on.
#pragma once

bool isFeatureOn(const wchar_t* name);
