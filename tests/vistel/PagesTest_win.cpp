// The companion's readers and its text layout, in this process.
#include "tests/vistel/VistelTestSupport_win.h"

#include "tests/support/TestSupport.h"
#include "tools/vistel/ImageHeader.h"
#include "tools/vistel/JpegInfo.h"
#include "tools/vistel/TextDecoding.h"
#include "tools/vistel/TextPages.h"

#include <gtest/gtest.h>

namespace {

std::string picture(const wchar_t* mimeType)
{
    ScratchFolder folder;
    const ZString path = folder.file(L"picture");
    EXPECT_TRUE(writePicture(path, mimeType, 40, 30, {quadrants}));
    return readFileBytes(path);
}

} // namespace

TEST(VistelReaders, EveryCutAndEveryChangedByteOfAPictureIsNoticed)
{
    const std::string jpeg = picture(L"image/jpeg");
    JpegInfo info;
    ASSERT_EQ(readJpegInfo(jpeg, info), Failure::None);
    EXPECT_TRUE(info.width == 40 && info.height == 30 && info.components == 3);
    for (size_t cut = 0; cut < jpeg.size() - 1; ++cut)
        EXPECT_NE(readJpegInfo(jpeg.substr(0, cut), info), Failure::None) << cut;

    const std::string png = picture(L"image/png");
    ImageHeader header;
    ASSERT_EQ(readImageHeader(ImageFormat::Png, png, header), Failure::None);
    EXPECT_TRUE(header.width == 40 && header.height == 30);
    for (size_t cut = 0; cut < png.size(); ++cut)
        EXPECT_NE(readImageHeader(ImageFormat::Png, png.substr(0, cut), header), Failure::None) << cut;
    for (size_t at = 0; at < png.size(); ++at) {
        std::string changed = png;
        changed[at] ^= 0x10;
        EXPECT_NE(readImageHeader(ImageFormat::Png, changed, header), Failure::None) << at;
    }
}

TEST(VistelText, EncodingsAreRecognised)
{
    const std::u16string umlauts = u"\u00C4rger \u20AC";
    EXPECT_EQ(decodeText("\xC3\x84rger \xE2\x82\xAC"), umlauts);
    EXPECT_EQ(decodeText("\xEF\xBB\xBF\xC3\x84rger \xE2\x82\xAC"), umlauts);
    EXPECT_EQ(decodeText(std::string("\xFF\xFE\xC4\0r\0g\0e\0r\0 \0\xAC\x20", 16)), umlauts);
    EXPECT_EQ(decodeText(std::string("\xFE\xFF\0\xC4\0r\0g\0e\0r\0 \x20\xAC", 16)), umlauts);
    EXPECT_EQ(decodeText("\xC4rger \x80"), umlauts) << "not UTF-8: Windows-1252";
    EXPECT_EQ(decodeText("\xF0\x9F\x98\x80"), u"\U0001F600");
}

TEST(VistelText, LinesWrapAtSpacesAndPagesBreakAtTheirEndOrAFormFeed)
{
    const std::u16string word(30, u'w');
    const std::u16string longWord(100, u'x');
    const auto pages = layoutText(u"a\tb\r\n" + word + u" " + word + u" " + word + u"\n" + longWord + u"\f\fz");
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0], (std::vector<std::u16string>{u"a       b", word + u" " + word, word, longWord.substr(0, 80),
                                                      longWord.substr(80)}));
    EXPECT_TRUE(pages[1].empty());
    EXPECT_EQ(pages[2], (std::vector<std::u16string>{u"z"}));

    std::u16string many;
    for (int i = 0; i < kTextLinesPerPage + 1; ++i)
        many += u"line\n";
    EXPECT_EQ(layoutText(many).size(), 2u);
    EXPECT_EQ(layoutText(u"").size(), 1u);
}
