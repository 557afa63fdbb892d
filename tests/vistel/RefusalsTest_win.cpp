// What the companion refuses, and how: one message box that names the file
// and the reason, no PDF left behind and no job.
#include "tests/app/AppTestSupport_win.h"
#include "tests/vistel/VistelTestSupport_win.h"

#include "app/HandOver.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/TextUtil.h"

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

using Names = std::vector<ZString>;

std::string big32(uint32_t v)
{
    return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

std::string pngChunk(const char* type, const std::string& data)
{
    const std::string body = type + data;
    return big32(static_cast<uint32_t>(data.size())) + body +
           big32(static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

// A well-formed PNG header of a 20,000 x 20,000 pixel picture.
std::string hugePng()
{
    return std::string("\x89PNG\r\n\x1a\n", 8) +
           pngChunk("IHDR", big32(20000) + big32(20000) + std::string("\x08\x02\x00\x00\x00", 5)) +
           pngChunk("IDAT", std::string("\x78\x9c\x03\x00\x00\x00\x00\x01", 8)) + pngChunk("IEND", "");
}

} // namespace

TEST(VistelRefusals, BadFilesAreNamedInAMessageAndMakeNoJob)
{
    TestInstallation installation;
    const ZString docs = installation.docsFolder();
    const ZString photo = joinPath(docs, L"photo.jpg"), logo = joinPath(docs, L"logo.png");
    ASSERT_TRUE(writePicture(photo, L"image/jpeg", 64, 64, {quadrants}));
    ASSERT_TRUE(writePicture(logo, L"image/png", 64, 64, {quadrants}));
    const std::string jpeg = readFileBytes(photo);
    std::string png = readFileBytes(logo);
    png[png.size() - 20] ^= 0x55; // inside the last data chunk

    const struct {
        const wchar_t* name;
        std::string bytes;
        const wchar_t* reason;
    } cases[] = {
        {L"cut.jpg", jpeg.substr(0, jpeg.size() - 10), L"incomplete"}, // inside the image data
        {L"crc.png", png, L"damaged"},
        {L"nothing.tif", "", L"empty"},
        {L"huge.png", hugePng(), L"too many pixels"},
        {L"letter.docx", "PK\x03\x04", L"(.docx)"},
    };
    for (const auto& c : cases) {
        CompanionRun run(quote(installation.document(c.name, c.bytes)));
        HWND box = run.waitForBox(L"Error");
        if (box == nullptr) {
            ADD_FAILURE() << "no message for " << ZString(c.name).toUtf8();
            continue;
        }
        const ZString text = boxText(box);
        EXPECT_TRUE(text.startsWith(c.name) && text.find(c.reason) >= 0) << text.toUtf8();
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(run.exitCode(), 1u);
        Names left;
        listFolder(installation.privateFolder(), &left, nullptr, kListFiles);
        EXPECT_TRUE(left.empty()) << ZString(c.name).toUtf8();
    }
    HWND handedBack = findMainWindow();
    EXPECT_EQ(handedBack, nullptr) << "nothing was handed back";
    if (handedBack != nullptr)
        PostMessageW(handedBack, WM_CLOSE, 0, 0);
}

TEST(VistelRefusals, TheProgramsOtherCallsAreAnsweredAsNotAvailable)
{
    TestInstallation installation;
    const ZString copy = makeTempFileName(kTempSubFolder, ZString(), L".pdf");
    ASSERT_TRUE(writeFileBytes(copy, "%PDF-1.4"));
    const ZString calls[] = {
        L"<twain>",
        L"-extractPages " + quote(installation.document(L"a.pdf")),
        L"-upload -url \"https://example.invalid/?action=newMail\" -appendAppInfo -deleteFiles -namedFile " +
            quote(copy) + L" \"Report.pdf\"",
    };
    for (const ZString& call : calls) {
        CompanionRun run(call);
        HWND box = run.waitForBox(L"Information");
        ASSERT_NE(box, nullptr) << call.toUtf8();
        EXPECT_TRUE(boxText(box).find(L"not available") >= 0) << boxText(box).toUtf8();
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(run.exitCode(), 2u);
    }
    EXPECT_FALSE(pathExists(copy)) << "the mail-out copy is ours to delete";
}
