// Helpers shared by the test programs.
#pragma once

#include "base/ZString.h"

#include <functional>
#include <string>

// A path below the source tree (from QUILLET_SOURCE_DIR, set by ctest), with
// the platform's separator. Throws (failing the test at once) when the
// variable is not set or nothing exists at the path.
ZString sourcePath(const wchar_t* relative);

// The bytes of a file; empty when it cannot be read.
std::string readFileBytes(const ZString& path);
bool writeFileBytes(const ZString& path, const std::string& bytes);

#ifdef _WIN32
// A file beside the test program (the build's bin folder).
ZString besideTests(const wchar_t* name);
// A variable of this process's environment; empty when it is not set.
ZString environmentVariable(const wchar_t* name);
// Waits until the condition holds; false when it did not within the limit
// (a guard against hanging, not a measure of speed).
bool waitFor(const std::function<bool()>& condition, int limitMs = 60000);
#endif

// A fresh folder under the temporary folder, deleted with everything in it.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const ZString& path() const { return m_path; }
    ZString file(const wchar_t* name) const;

private:
    ZString m_path;
};
