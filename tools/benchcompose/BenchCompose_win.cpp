// bench-compose: times the compose flow of jobs/ on a job of alternating
// ranges of two files (A 1-50, B 1-50, A 51-100, ...), the way saving runs
// it: the assembling operation into a target file.
//
//   bench-compose.exe [--interpreter] [--phases] A.pdf B.pdf OUT.pdf
//
// --interpreter sets "ComposeWithInterpreter" to 1 in the settings folder in
// use (give the bench a folder of its own through TAMLO_CONFIG_DIR).
// --phases times the interpreter path's steps one by one instead: a bare
// interpreter start, the normalizing rewrites, the range extractions and the
// merge. Prints "name_ms: value" lines.
#include "base/Files.h"
#include "base/Settings.h"
#include "jobs/Compose.h"
#include "jobs/JobStore.h"
#include "operations/ComposePages.h"
#include "operations/Ghostscript.h"
#include "operations/PdfSource.h"
#include "suite/settings/SettingsStore.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

constexpr int kRange = 50;

double nowMs()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void report(const char* name, double ms)
{
    printf("%s_ms: %.0f\n", name, ms);
    fflush(stdout);
}

// The steps the interpreter path takes for the job, timed one by one.
void timePhases(Job& job)
{
    double start = nowMs();
    runGhostscript(L"-dNODISPLAY -c quit", nullptr);
    report("interpreter_start", nowMs() - start);

    std::vector<PageEntry> entries;
    start = nowMs();
    for (const JobPage& page : job.pages())
        entries.push_back({page.document->normalizedPdf(nullptr), static_cast<uint32_t>(page.document->pageCount()),
                           static_cast<uint32_t>(page.pageNumber)});
    report("normalize", nowMs() - start);

    std::vector<ZString> parts;
    start = nowMs();
    for (const PageRange& range : pageRanges(entries)) {
        parts.push_back(makeTempFileName(kTempSubFolder, ZString(), L".pdf"));
        extractPages(range.path, parts.back(), range.first, range.last, nullptr);
    }
    report("extract", nowMs() - start);
    printf("ranges: %d\n", static_cast<int>(parts.size()));

    const ZString merged = makeTempFileName(kTempSubFolder, ZString(), L".pdf");
    start = nowMs();
    mergePdfFiles(parts, merged, nullptr);
    report("merge", nowMs() - start);
    printf("merge_arguments_chars: %d\n", static_cast<int>(mergeArguments(parts, merged).length()));
    for (const ZString& part : parts)
        deleteFile(part, true);
    deleteFile(merged, true);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    bool interpreter = false;
    bool phases = false;
    std::vector<ZString> files;
    for (int i = 1; i < argc; ++i) {
        if (wcscmp(argv[i], L"--interpreter") == 0)
            interpreter = true;
        else if (wcscmp(argv[i], L"--phases") == 0)
            phases = true;
        else
            files.emplace_back(argv[i]);
    }
    if (files.size() != 3) {
        fprintf(stderr, "usage: bench-compose.exe [--interpreter] [--phases] A.pdf B.pdf OUT.pdf\n");
        return 2;
    }
    settingsStore_setDword(SettingsScope::Program, L"ComposeWithInterpreter", interpreter ? 1 : 0);

    JobStore store;
    ZString reason;
    Job* job = store.createJobFromFile(L"a", files[0], reason);
    Job* other = store.createJobFromFile(L"b", files[1], reason);
    if (job == nullptr || other == nullptr) {
        fprintf(stderr, "cannot open the files: %ls\n", reason.c_str());
        return 1;
    }
    // A 1-50, B 1-50, A 51-100, B 51-100, ...
    const int count = other->pageCount();
    for (int first = 1, at = kRange; first <= count; first += kRange, at += 2 * kRange) {
        std::vector<int> numbers;
        for (int n = first; n < first + kRange && n <= count; ++n)
            numbers.push_back(n);
        job->insertPagesFrom(other, at, numbers);
    }
    printf("pages: %d\n", job->pageCount());
    if (phases) {
        timePhases(*job);
        return 0;
    }
    const double start = nowMs();
    AssembleOperation operation(*job, files[2]);
    operation.run();
    report("compose", nowMs() - start);
    return isFile(files[2]) ? 0 : 1;
}
