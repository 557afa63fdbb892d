// Addresses of documents and images: "res://" names a raw-data resource (type
// 10) whose name is the path without its leading "/", in the module named as
// host or, without a host, in the resource library (here the program itself);
// "file://" and "file:///" name files.
#pragma once

#include "base/ZString.h"

#include <string>

namespace xhtml {

// A relative address joined to a base ("res://" + "a.png" is "res://a.png");
// absolute ones are returned as they are.
ZString resolveAddress(const ZString& base, const ZString& address);

// The bytes at the address; false when there are none. resourceLibrary is
// the module handle (an HMODULE) used for "res://" without a host; null means
// the program's own module.
bool loadAddress(const ZString& address, void* resourceLibrary, std::string& bytes);

} // namespace xhtml
