#include "env/Identity.h"

#include "base/Settings.h"
#include "base/TextUtil.h"
#include "base/UrlEncode.h"

#include <windows.h>


namespace {

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);

RtlGetVersionFn rtlGetVersion()
{
    static RtlGetVersionFn fn = [] {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll == nullptr ? nullptr
                                : reinterpret_cast<RtlGetVersionFn>(
                                      reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    }();
    return fn;
}

} // namespace

bool operatingSystemVersion(OsVersion& version)
{
    const RtlGetVersionFn fn = rtlGetVersion();
    if (fn == nullptr)
        return false;
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (fn(&info) != 0)
        return false;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.build = info.dwBuildNumber;
    version.platform = info.dwPlatformId;
    version.servicePackMajor = info.wServicePackMajor;
    version.servicePackMinor = info.wServicePackMinor;
    return true;
}

IdentityRecord identityRecord()
{
    IdentityRecord r;
    r.name = kProgramName;
    r.version = kProgramVersion;
    r.lang = config_getStr(L"Language", L"English");
    r.lcid = GetUserDefaultLCID();
    r.iid = progConfig_getStr(L"InstallationID", ZString());
    r.uid = userConfig_getStr(L"UserId", ZString());
    r.cid = progConfig_getStr(L"QuilletID", ZString());
    OsVersion v;
    if (operatingSystemVersion(v))
        r.os = ZString::format(L"%d,%d,%d,%d,%d,%d", static_cast<int>(v.major), static_cast<int>(v.minor),
                               static_cast<int>(v.build), static_cast<int>(v.platform),
                               static_cast<int>(v.servicePackMajor), static_cast<int>(v.servicePackMinor));
    return r;
}

ZString identityQueryString(const IdentityRecord& r, const ZString& random)
{
    ZString q;
    q.append(L"name=").append(urlEncode(r.name));
    q.append(L"&version=").append(urlEncode(r.version));
    q.append(L"&lang=").append(urlEncode(r.lang));
    q.append(L"&lcid=").appendNumber(static_cast<unsigned long>(r.lcid));
    q.append(L"&iid=").append(urlEncode(r.iid));
    q.append(L"&uid=").append(urlEncode(r.uid));
    q.append(L"&cid=").append(urlEncode(r.cid));
    if (!random.isEmpty())
        q.append(L"&random=").append(random);
    return q;
}

ZString identityQueryString(bool withRandom)
{
    return identityQueryString(identityRecord(), withRandom ? randomString(10, kRandomAlphabetLowerAlnum) : ZString());
}
