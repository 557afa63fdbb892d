#include "jobs/Job.h"

#include "base/Files.h"

#include <algorithm>

std::optional<JobPage> Job::page(int n) const
{
    if (n < 1 || n > pageCount())
        return std::nullopt;
    return m_pages[static_cast<size_t>(n - 1)];
}

int Job::rotation(int n) const
{
    const auto p = page(n);
    return p ? p->rotation : 0;
}

bool Job::usesDocument(const PdfSource* document) const
{
    return std::any_of(m_pages.begin(), m_pages.end(), [&](const JobPage& p) { return p.document == document; });
}

void Job::changed()
{
    dropViewer();
    if (m_onChange)
        m_onChange();
    m_modified = true;
    m_unsaved = pageCount() != 0;
}

void Job::restore(std::vector<JobPage> pages, const ZString& name)
{
    m_pages = std::move(pages);
    m_name = name;
    changed();
}

void Job::deletePages(const std::vector<int>& numbers)
{
    std::vector<JobPage> kept;
    kept.reserve(m_pages.size());
    for (int n = 1; n <= pageCount(); ++n)
        if (std::find(numbers.begin(), numbers.end(), n) == numbers.end())
            kept.push_back(m_pages[static_cast<size_t>(n - 1)]);
    m_pages.swap(kept);
    changed();
}

void Job::insertPagesFrom(const Job* other, int position, const std::vector<int>& numbers)
{
    if (numbers.empty() || other == nullptr || other == this)
        return;
    position = std::clamp(position, 0, pageCount());
    std::vector<JobPage> copies;
    for (int n : numbers)
        if (auto p = other->page(n))
            copies.push_back(*p);
    m_pages.insert(m_pages.begin() + position, copies.begin(), copies.end());
    changed();
}

void Job::movePages(int position, const std::vector<int>& listed)
{
    // A page listed twice moves once, at its first place in the list.
    std::vector<int> numbers;
    for (int n : listed)
        if (std::find(numbers.begin(), numbers.end(), n) == numbers.end())
            numbers.push_back(n);
    if (numbers.empty())
        return;
    std::vector<int> sorted(numbers);
    std::sort(sorted.begin(), sorted.end());
    const bool oneRun = sorted.back() - sorted.front() + 1 == static_cast<int>(sorted.size());
    if (oneRun && position >= sorted.front() - 1 && position <= sorted.back())
        return;

    std::vector<JobPage> taken;
    for (int n : numbers)
        if (auto p = page(n))
            taken.push_back(*p);
    std::vector<JobPage> rest;
    for (int n = 1; n <= pageCount(); ++n)
        if (std::find(numbers.begin(), numbers.end(), n) == numbers.end())
            rest.push_back(m_pages[static_cast<size_t>(n - 1)]);
    const int before = static_cast<int>(std::count_if(numbers.begin(), numbers.end(), [&](int n) {
        return n <= position && n >= 1 && n <= pageCount();
    }));
    const int at = std::clamp(position - before, 0, static_cast<int>(rest.size()));
    rest.insert(rest.begin() + at, taken.begin(), taken.end());
    m_pages.swap(rest);
    changed();
}

void Job::appendAllPagesOf(const Job* other)
{
    if (other == nullptr)
        return;
    std::vector<int> all;
    for (int n = 1; n <= other->pageCount(); ++n)
        all.push_back(n);
    insertPagesFrom(other, pageCount(), all);
}

void Job::rotate(int degrees, const std::vector<int>& numbers)
{
    for (int n : numbers)
        if (n >= 1 && n <= pageCount()) {
            JobPage& p = m_pages[static_cast<size_t>(n - 1)];
            p.rotation = (p.rotation + degrees) % 360; // C++ keeps the dividend's sign
        }
    changed();
}

void Job::rotateAll(int degrees)
{
    for (JobPage& p : m_pages)
        p.rotation = (p.rotation + degrees) % 360;
    changed();
}

ZString Job::sourceFolderForSaving() const
{
    if (m_sourceFolder.isEmpty() || !isFolder(m_sourceFolder))
        return ZString();
    ZString folder(m_sourceFolder);
    ZString temp(tempFolder());
    folder.toLower();
    temp.toLower();
    if (folder.equals(temp) || folder.startsWith(temp + L"\\"))
        return ZString();
    return m_sourceFolder;
}
