// Names of the files of jobs saved together into one folder.
#pragma once

#include "base/ZString.h"

#include <utility>
#include <vector>

// The file names of jobs saved together in one folder: name + "." + format,
// with " (n)" before the extension when the name was used n times before.
class JobFileNames {
public:
    explicit JobFileNames(const ZString& format) : m_format(format) {}
    ZString next(const ZString& jobName);

private:
    ZString m_format;
    std::vector<std::pair<ZString, int>> m_uses;
};
