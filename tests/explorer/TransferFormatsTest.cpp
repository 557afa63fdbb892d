#include "explorer/TransferFormats.h"
#include "explorer/VirtualFileName.h"

#include <gtest/gtest.h>

using namespace ole;

namespace {

uint32_t u32(const std::string& b, size_t at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
    return v;
}

uint32_t u16(const std::string& b, size_t at)
{
    return static_cast<unsigned char>(b[at]) | static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}

} // namespace

TEST(DropFilesLayout, HeaderPointAndDoubleZeroEnd)
{
    const std::string b = buildDropFiles({L"C:\\a.pdf", L"D:\\x\\b\u00e9.pdf"}, 17, -3);
    EXPECT_EQ(u32(b, 0), 20u);
    EXPECT_EQ(u32(b, 4), 17u);
    EXPECT_EQ(static_cast<int32_t>(u32(b, 8)), -3);
    EXPECT_EQ(u32(b, 12), 1u); // fNC
    EXPECT_EQ(u32(b, 16), 1u); // fWide
    // 8 + 1 and 11 + 1 units of text, and the closing zero.
    EXPECT_EQ(b.size(), 20u + 2 * (9 + 12 + 1));
    EXPECT_EQ(u16(b, 20), static_cast<uint32_t>(L'C'));
    EXPECT_EQ(u16(b, 20 + 2 * 8), 0u);
    EXPECT_EQ(u16(b, b.size() - 4), 0u);
    EXPECT_EQ(u16(b, b.size() - 2), 0u);

    std::vector<ZString> paths;
    ASSERT_TRUE(readDropFiles(b, paths));
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[1], L"D:\\x\\b\u00e9.pdf");
}

TEST(DropFilesLayout, ReadsNarrowListsAndRefusesBrokenHeaders)
{
    std::string narrow = buildDropFiles({}, 0, 0);
    narrow.resize(20);
    narrow[16] = 0; // fWide = 0
    narrow += std::string("C:\\n.pdf\0E:\\m.pdf\0\0", 19);
    std::vector<ZString> paths;
    ASSERT_TRUE(readDropFiles(narrow, paths));
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[1], L"E:\\m.pdf");

    EXPECT_FALSE(readDropFiles(std::string(19, '\0'), paths));
    std::string farOffset = buildDropFiles({L"a"}, 0, 0);
    farOffset[0] = 100;
    EXPECT_FALSE(readDropFiles(farOffset, paths));
}

TEST(PathListLayout, MapListAndSingleName)
{
    const std::string b = buildPathList({L"C:\\a", L"C:\\b\\c"});
    EXPECT_EQ(b.size(), 2u * (5 + 7 + 1));
    EXPECT_EQ(readPathList(b), (std::vector<ZString>{L"C:\\a", L"C:\\b\\c"}));
    // "FileNameW": one path and its terminator; a missing terminator still reads.
    EXPECT_EQ(readPathList(buildPathList({L"Z:\\one"}).substr(0, 14)), std::vector<ZString>{L"Z:\\one"});
    EXPECT_EQ(readPathList(std::string("x\0y", 3)), std::vector<ZString>{L"x"});
    EXPECT_TRUE(readPathList(std::string()).empty());
}

TEST(PathListLayout, CharactersBeyondTheBmpTravelAsSurrogatePairs)
{
    const ZString name(L"\U0001F4C4.pdf");
    const std::string b = buildPathList({name});
    EXPECT_EQ(u16(b, 0), 0xD83Du);
    EXPECT_EQ(u16(b, 2), 0xDCC4u);
    EXPECT_EQ(readPathList(b), std::vector<ZString>{name});
}

TEST(FileGroupDescriptorLayout, RecordsAre592BytesWithFlagsSizeAndName)
{
    FileDescriptor file{kFdAttributes | kFdFileSize, 0x20, 0x100000005ull, L"sub\\a.pdf"};
    FileDescriptor folder{kFdAttributes | kFdFileSize, kFileAttributeDirectory, 0, L"sub"};
    const std::string b = buildFileGroupDescriptor({folder, file});
    ASSERT_EQ(b.size(), 4u + 2 * 592);
    EXPECT_EQ(u32(b, 0), 2u);
    const size_t second = 4 + 592;
    EXPECT_EQ(u32(b, second), 0x44u);
    EXPECT_EQ(u32(b, second + 36), 0x20u);
    EXPECT_EQ(u32(b, second + 64), 1u);
    EXPECT_EQ(u32(b, second + 68), 5u);
    EXPECT_EQ(u16(b, second + 72), static_cast<uint32_t>(L's'));
    EXPECT_EQ(u16(b, second + 72 + 2 * 9), 0u);

    std::vector<FileDescriptor> read;
    ASSERT_TRUE(readFileGroupDescriptor(b, read));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_TRUE(read[0].isFolder());
    EXPECT_FALSE(read[1].isFolder());
    EXPECT_EQ(read[1].name, L"sub\\a.pdf");
    EXPECT_EQ(read[1].size, 0x100000005ull);
}

TEST(FileGroupDescriptorLayout, LongNamesAreCutAndShortBlocksRefused)
{
    FileDescriptor d;
    d.name = ZString(std::wstring(400, L'n'));
    const std::string b = buildFileGroupDescriptor({d});
    EXPECT_EQ(u16(b, 4 + 72 + 2 * 259), 0u);
    std::vector<FileDescriptor> read;
    ASSERT_TRUE(readFileGroupDescriptor(b, read));
    EXPECT_EQ(read[0].name.length(), 259);

    EXPECT_FALSE(readFileGroupDescriptor(b.substr(0, b.size() - 1), read));
    std::string huge = b;
    huge[3] = 0x7F; // a count no block of this size can hold
    EXPECT_FALSE(readFileGroupDescriptor(huge, read));
    EXPECT_FALSE(readFileGroupDescriptor("ab", read));
}

TEST(DescriptorNames, RelativeToTheBaseFolderElseTheFileName)
{
    EXPECT_EQ(descriptorName(L"C:\\base\\sub\\a.pdf", L"C:\\base"), L"sub\\a.pdf");
    EXPECT_EQ(descriptorName(L"C:\\base\\sub\\a.pdf", L"c:\\BASE\\"), L"sub\\a.pdf");
    EXPECT_EQ(descriptorName(L"C:\\base\\sub", L"C:\\base"), L"sub");
    EXPECT_EQ(descriptorName(L"C:\\base\\sub\\a.pdf", L""), L"a.pdf");
    // A folder whose name only begins like the base is not below it.
    EXPECT_EQ(descriptorName(L"C:\\baseline\\a.pdf", L"C:\\base"), L"a.pdf");
    EXPECT_EQ(descriptorName(L"D:\\other\\b.pdf", L"C:\\base"), L"b.pdf");
}

TEST(SmallFormats, DwordsAndTheDropDescription)
{
    EXPECT_EQ(buildDword(2), std::string("\x02\0\0\0", 4));
    uint32_t v = 0;
    ASSERT_TRUE(readDword(buildDword(0x01020305), v));
    EXPECT_EQ(v, 0x01020305u);
    EXPECT_FALSE(readDword("abc", v));

    const std::string d = buildDropDescription();
    ASSERT_EQ(d.size(), 1044u);
    EXPECT_EQ(u32(d, 0), 0xFFFFFFFFu);
    EXPECT_EQ(d.find_first_not_of('\0', 4), std::string::npos);
}

TEST(VirtualFileNames, RelativeNamesPassWithBackslashes)
{
    EXPECT_EQ(safeRelativePath(L"a.pdf"), L"a.pdf");
    EXPECT_EQ(safeRelativePath(L"folder/inner\\b.pdf"), L"folder\\inner\\b.pdf");
    EXPECT_EQ(safeRelativePath(L"folder\\"), L"folder");
    EXPECT_EQ(safeRelativePath(L"..a.pdf"), L"..a.pdf");
    EXPECT_EQ(safeRelativePath(L"CONTRACT.pdf"), L"CONTRACT.pdf");
    EXPECT_EQ(safeRelativePath(L"COM10.txt"), L"COM10.txt");
}

TEST(VirtualFileNames, NamesThatLeaveTheFolderOrNameADeviceAreRefused)
{
    for (const wchar_t* bad :
         {L"..\\..\\x.pdf", L"a\\..\\..\\x.pdf", L"../x.pdf", L"C:\\x.pdf", L"C:x.pdf", L"\\x.pdf", L"\\\\srv\\s\\x.pdf",
          L"//srv/x", L"CON", L"con.pdf", L"sub\\NUL", L"LPT1.txt", L"COM9", L"a:stream", L"a?.pdf", L"a*.pdf",
          L"a<b", L"a|b", L"a\"b", L"tab\tname", L"dots.", L"blank ", L".", L"a\\\\b", L""})
        EXPECT_TRUE(safeRelativePath(bad).isEmpty()) << ZString(bad).toUtf8();
}
