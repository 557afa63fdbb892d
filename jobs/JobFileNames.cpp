#include "jobs/JobFileNames.h"

ZString JobFileNames::next(const ZString& jobName)
{
    ZString name(jobName);
    name.replaceChars(L"/\\:<>*?\"|", L'_');
    int earlier = 0; // uses of the name so far, ignoring case
    for (auto& [used, count] : m_uses)
        if (used.equalsIgnoreCase(name)) {
            earlier = count++;
            break;
        }
    if (earlier == 0)
        m_uses.emplace_back(name, 1);
    ZString file(name);
    if (earlier > 0)
        file.append(L" (").appendNumber(static_cast<long>(earlier)).append(L")");
    return file.append(L".").append(m_format);
}
