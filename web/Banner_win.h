// The banner image the page shows through "tamlo:banner": the installation's
// own logo or banner file, else the resource library's banner of the language.
#pragma once

#include "base/ZString.h"
#include "http/ByteBuffer.h"

// The first of "logo.bmp", "logo.png", "logo.jpg", "banner.bmp", "banner.png",
// "banner.jpg" that exists in the installation folder; empty when none does.
ZString customBannerFile();

// The banner's bytes and MIME type; false when there is none.
bool loadBanner(http::ByteBuffer& bytes, ZString& mimeType);
