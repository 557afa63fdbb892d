#include "tools/pdfcheck/PdfCheck.h"

#include "zpdf/Document.h"
#include "zpdf/FileReader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace {

void printLine(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

// The library's messages are single-byte texts (the German ones in Latin-1).
std::string latin1ToUtf8(const char* text)
{
    ZString wide;
    for (const char* p = text; *p != 0; ++p)
        wide.appendChar(static_cast<wchar_t>(static_cast<unsigned char>(*p)));
    return wide.toUtf8();
}

int fail(const std::string& message)
{
    printLine("error: " + message);
    std::fflush(stdout);
    return 1;
}

bool readable(const ZString& path) { return zpdf::FileReader(path).isOpen(); }

// Runs f; a failure becomes "error: ..." and exit code 1.
int guarded(const std::function<int()>& f)
{
    try {
        return f();
    } catch (const std::bad_alloc&) {
        return fail("out of memory");
    } catch (const std::exception& e) {
        return fail(latin1ToUtf8(e.what()));
    } catch (...) {
        return fail("Unknown error.");
    }
}

int check(const ZString& path)
{
    if (!readable(path))
        return fail("cannot open " + path.toUtf8());
    return guarded([&] {
        zpdf::Document document(path);
        zpdf::DocumentInfo info;
        document.readInfo(info);
        if (!info.error.isEmpty())
            return fail(info.error.toUtf8());
        printLine("pages: " + std::to_string(info.pageCount));
        printLine(std::string("version: ") + document.version().cString());
        printLine("encrypted: " + std::to_string(info.encrypted));
        printLine("keylength: " + std::to_string(info.keyLength));
        printLine("title: " + info.title.toUtf8());
        printLine("producer: " + info.producer.toUtf8());
        return 0;
    });
}

int rewrite(const ZString& in, const ZString& out)
{
    if (!readable(in))
        return fail("cannot open " + in.toUtf8());
    return guarded([&] {
        zpdf::Document document(in);
        if (!document.save(out))
            return fail("cannot write " + out.toUtf8());
        return 0;
    });
}

// Median wall time in milliseconds of n runs of f.
double medianMs(int n, const std::function<void()>& f)
{
    std::vector<double> times;
    for (int i = 0; i < n; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
        times.push_back(elapsed.count());
    }
    std::sort(times.begin(), times.end());
    const size_t mid = times.size() / 2;
    return times.size() % 2 != 0 ? times[mid] : (times[mid - 1] + times[mid]) / 2;
}

int bench(int n, const ZString& path, bool withRewrite, const PdfCheckPlatform& platform)
{
    if (!readable(path))
        return fail("cannot open " + path.toUtf8());
    const ZString out = platform.tempFolder + ZString(L"pdfcheck-bench.pdf");
    const int rc = guarded([&] {
        const double ms = medianMs(n, [&] {
            zpdf::Document document(path);
            if (withRewrite)
                document.save(out);
            else
                document.getPageCount();
        });
        char line[64];
        std::snprintf(line, sizeof line, "median_ms: %.2f", ms);
        printLine(line);
        return 0;
    });
    if (withRewrite)
        platform.removeFile(out);
    return rc;
}

int usage()
{
    std::fputs("usage: pdfcheck FILE\n"
               "       pdfcheck --rewrite IN OUT\n"
               "       pdfcheck --bench N FILE\n"
               "       pdfcheck --bench-rewrite N FILE\n",
               stderr);
    return 2;
}

} // namespace

int runPdfCheck(const std::vector<ZString>& args, const PdfCheckPlatform& platform)
{
    int rc = 2;
    if (args.size() == 1 && !args[0].startsWith(L"--")) {
        rc = check(args[0]);
    } else if (args.size() == 3 && args[0] == L"--rewrite") {
        rc = rewrite(args[1], args[2]);
    } else if (args.size() == 3 && (args[0] == L"--bench" || args[0] == L"--bench-rewrite")) {
        const int n = args[1].toInt();
        if (n < 1)
            return usage();
        rc = bench(n, args[2], args[0] == L"--bench-rewrite", platform);
    } else {
        return usage();
    }
    std::fflush(stdout);
    return rc;
}
