// The program's identity query string added to a web address (the in-app page
// of the branding bar asks for it).
#pragma once

#include "base/ZString.h"

// The URL with the identity query string (random part included) added to its
// query; the URL as given when it cannot be parsed.
ZString withIdentityQuery(const ZString& url);
