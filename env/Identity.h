// Who is asking: the identity record the program sends to the suite's web pages
// (as a query string) and gives to the in-app page when it asks.
#pragma once

#include "base/ZString.h"

#include <cstdint>

struct OsVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    uint32_t platform = 0;
    uint32_t servicePackMajor = 0;
    uint32_t servicePackMinor = 0;
};

// The version as RtlGetVersion reports it; false when that call is missing or fails.
bool operatingSystemVersion(OsVersion& version);

struct IdentityRecord {
    ZString name;    // "Tamlo-Quillet"
    ZString version; // "8.3.0"
    ZString lang;    // setting "Language"
    uint32_t lcid = 0;
    ZString iid; // setting "InstallationID"
    ZString uid; // setting "UserId"
    ZString cid; // setting "QuilletID"
    ZString os;  // "major,minor,build,platform,spMajor,spMinor", empty when unknown
};

inline const wchar_t* const kProgramName = L"Tamlo-Quillet";
inline const wchar_t* const kProgramVersion = L"8.3.0";

IdentityRecord identityRecord();

// "name=...&version=...&lang=...&lcid=...&iid=...&uid=...&cid=..." with every value
// percent-encoded; "&random=" and random follow when random is not empty.
ZString identityQueryString(const IdentityRecord& record, const ZString& random);
// The query string of this program, with 10 random characters [0-9a-z] when asked for.
ZString identityQueryString(bool withRandom);
