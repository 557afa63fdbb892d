// The real program with the real companion under Wine: pictures and text
// files named on the command line come back as jobs with their pages.
#include "tests/app/AppTestSupport_win.h"
#include "tests/vistel/VistelTestSupport_win.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "base/TextUtil.h"
#include "suite/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Names = std::vector<ZString>;

Names filesIn(const ZString& folder)
{
    // The documents only: page images for the thumbnails come and go beside them.
    Names files, documents;
    listFolder(folder, &files, nullptr, kListFiles);
    for (const ZString& file : files)
        if (file.endsWith(L".pdf"))
            documents.push_back(file);
    std::sort(documents.begin(), documents.end());
    return documents;
}

// The installation's program folder is the build's, where the companion is.
void useBuiltPrograms()
{
    const ZString bin = folderPart(besideTests(L"tamlo-Vistel.exe"));
    settingsStore_setStr(SettingsScope::Program, L"InstallDir", bin);
    settingsStore_setStr(SettingsScope::Program, L"BinDir", bin);
}

uint32_t red(int, int, int, int) { return 0xFFFF0000; }
uint32_t green(int, int, int, int) { return 0xFF00FF00; }
uint32_t blue(int, int, int, int) { return 0xFF0000FF; }
// Opaque red on the left, fully transparent on the right.
uint32_t halfTransparent(int x, int, int width, int) { return x < width / 2 ? 0xFFFF0000 : 0x0000FF00; }

} // namespace

TEST(VistelJobs, PicturesAndTextFilesBecomeJobsOfTheirPages)
{
    TestInstallation installation;
    useBuiltPrograms();
    const ZString docs = installation.docsFolder();
    const ZString photo = joinPath(docs, L"photo.jpg"), logo = joinPath(docs, L"Logo.png");
    const ZString scan = joinPath(docs, L"scan.tif");
    ASSERT_TRUE(writePicture(photo, L"image/jpeg", 160, 120, {quadrants}));
    ASSERT_TRUE(writePicture(logo, L"image/png", 120, 80, {halfTransparent}));
    ASSERT_TRUE(writePicture(scan, L"image/tiff", 50, 40, {red, green, blue}));
    std::string letter = "Gr\xC3\xBC\xC3\x9F" "e aus K\xC3\xB6ln\r\n";
    for (int i = 0; i < 70; ++i)
        letter += "\xC3\x84rger \xC3\xBC" "ber \xC3\x96l, Zeile " + std::to_string(i) + "\n";
    const ZString text = installation.document(L"Brief.txt", "\xEF\xBB\xBF" + letter);

    Names known;
    // Waits for the next job; its private copy (the only new file) is the job's document.
    const auto nextJob = [&](HWND window, const ZString& name) -> ZString {
        const size_t before = known.size();
        EXPECT_TRUE(waitFor([&] { return jobNames(window).size() > before && filesIn(installation.privateFolder()).size() > before; }));
        EXPECT_EQ(jobNames(window).back(), name);
        const Names now = filesIn(installation.privateFolder());
        Names added;
        std::set_difference(now.begin(), now.end(), known.begin(), known.end(), std::back_inserter(added));
        known = now;
        return added.size() == 1 ? added.front() : ZString();
    };

    ProgramRun run(installation, quote(photo));
    HWND window = run.waitForMainWindow();
    ASSERT_NE(window, nullptr);
    const ZString photoJob = nextJob(window, L"photo");
    EXPECT_EQ(pdfPageCount(photoJob), 1);
    EXPECT_EQ(firstPageImageBytes(photoJob), readFileBytes(photo)) << "the JPEG data is embedded as it is";
    const RenderedPage photoPage(photoJob, 1);
    ASSERT_TRUE(photoPage.valid());
    for (const double fx : {0.25, 0.75})
        for (const double fy : {0.25, 0.75})
            EXPECT_TRUE(closeColors(photoPage.colorAt(fx, fy), quadrants(int(fx * 160), int(fy * 120), 160, 120), 40))
                << fx << "," << fy << ": " << std::hex << photoPage.colorAt(fx, fy);

    const auto handOver = [&](const ZString& file) { EXPECT_EQ(ProgramRun(installation, quote(file)).exitCode(), 0u); };
    handOver(logo);
    const ZString logoJob = nextJob(window, L"Logo");
    EXPECT_EQ(pdfPageCount(logoJob), 1);
    const RenderedPage logoPage(logoJob, 1);
    ASSERT_TRUE(logoPage.valid());
    EXPECT_TRUE(closeColors(logoPage.colorAt(0.25, 0.5), 0xFF0000, 8));
    EXPECT_TRUE(closeColors(logoPage.colorAt(0.75, 0.5), 0xFFFFFF, 8)) << "the transparent half shows the paper";

    handOver(scan);
    const ZString scanJob = nextJob(window, L"scan");
    EXPECT_EQ(pdfPageCount(scanJob), 3);
    const uint32_t pageColors[] = {0xFF0000, 0x00FF00, 0x0000FF};
    for (int page = 1; page <= 3; ++page)
        EXPECT_TRUE(closeColors(RenderedPage(scanJob, page).colorAt(0.5, 0.5), pageColors[page - 1], 8)) << page;

    handOver(text);
    const ZString textJob = nextJob(window, L"Brief");
    EXPECT_EQ(pdfPageCount(textJob), 2); // 71 lines, 60 a page
    const std::string extracted = extractedText(textJob);
    EXPECT_NE(extracted.find("Gr\xC3\xBC\xC3\x9F" "e aus K\xC3\xB6ln"), std::string::npos) << extracted;
    EXPECT_NE(extracted.find("\xC3\x84rger \xC3\xBC" "ber \xC3\x96l, Zeile 69"), std::string::npos);

    // The companion's PDFs went once their jobs had private copies; these go with the jobs.
    EXPECT_EQ(filesIn(installation.privateFolder()).size(), 4u);
    EXPECT_EQ(run.close(), 0u);
    EXPECT_EQ(filesIn(installation.privateFolder()), Names{});
    EXPECT_TRUE(pathExists(photo) && pathExists(text)) << "the user's files stay";
}
