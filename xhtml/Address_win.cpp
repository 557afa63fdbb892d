#include "xhtml/Address.h"

#include "base/Files.h"

#include <windows.h>

namespace xhtml {

namespace {

bool hasScheme(const ZString& address) { return address.find(L"://", 3, 0) > 0; }

bool loadResource(HMODULE module, const ZString& name, std::string& bytes)
{
    HRSRC found = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10));
    if (found == nullptr)
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr)
        return false;
    bytes.assign(static_cast<const char*>(data), SizeofResource(module, found));
    return true;
}

// Unloads a module loaded for one look-up.
struct LoadedModule {
    HMODULE module;
    ~LoadedModule()
    {
        if (module != nullptr)
            FreeLibrary(module);
    }
};

} // namespace

ZString resolveAddress(const ZString& base, const ZString& address)
{
    if (hasScheme(address) || base.isEmpty())
        return address;
    return base + address;
}

bool loadAddress(const ZString& address, void* resourceLibrary, std::string& bytes)
{
    if (address.startsWith(L"res://")) {
        ZString rest = address.substring(6);
        const int slash = rest.findChar(L'/');
        ZString host = slash > 0 ? rest.substring(0, slash - 1) : ZString();
        const ZString name = slash >= 0 ? rest.substring(slash + 1) : rest;
        if (host.isEmpty()) {
            HMODULE module = resourceLibrary != nullptr ? static_cast<HMODULE>(resourceLibrary) : GetModuleHandleW(nullptr);
            return loadResource(module, name, bytes);
        }
        if (HMODULE loaded = GetModuleHandleW(host.c_str()))
            return loadResource(loaded, name, bytes);
        LoadedModule library{LoadLibraryExW(host.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)};
        return library.module != nullptr && loadResource(library.module, name, bytes);
    }
    ZString path = address;
    if (path.startsWith(L"file:///"))
        path = path.substring(8);
    else if (path.startsWith(L"file://"))
        path = path.substring(7);
    else if (hasScheme(path))
        return false;
    path.replaceChars(L"/", L'\\');
    return readWholeFile(path, bytes);
}

} // namespace xhtml
