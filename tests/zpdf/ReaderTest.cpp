#include "tests/support/TestSupport.h"
#include "tests/zpdf/ZpdfTestUtil.h"
#include "zpdf/BufferReader.h"
#include "zpdf/Exceptions.h"
#include "zpdf/FileReader.h"
#include "zpdf/FileWriter.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace zpdf;

namespace {

// The same bytes through either reader: from memory, or from a real file.
class ReaderTest : public testing::TestWithParam<bool> {
protected:
    Reader& open(const std::string& bytes)
    {
        m_reader.reset();
        if (GetParam()) {
            const ZString path = m_folder.file(L"input.bin");
            EXPECT_TRUE(writeFileBytes(path, bytes));
            m_reader = std::make_unique<FileReader>(path);
        } else {
            m_bytes = bufferOf(bytes);
            m_reader = std::make_unique<BufferReader>(m_bytes);
        }
        return *m_reader;
    }

private:
    ScratchFolder m_folder;
    DataBuffer m_bytes;
    std::unique_ptr<Reader> m_reader;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(BothReaders, ReaderTest, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "File" : "Buffer"; });

TEST_P(ReaderTest, EndOfDataIsMinusOneAndStaysSo)
{
    Reader& r = open("ab");
    EXPECT_EQ(r.length(), 2);
    EXPECT_EQ(r.readByte(), 'a');
    EXPECT_EQ(r.readByte(), 'b');
    EXPECT_EQ(r.readByte(), -1);
    EXPECT_EQ(r.readByte(), -1);
    EXPECT_EQ(r.tell(), 2);
    DataBuffer out;
    EXPECT_EQ(r.readBytes(out, 10), 0);
    r.seek(0);
    EXPECT_EQ(r.readBytes(out, 10), 2);
    EXPECT_EQ(toString(out), "ab");
    // Every loop stops at the end.
    r.seek(1);
    EXPECT_EQ(r.skipLine(), 1);
    EXPECT_EQ(r.skipWhitespace() + r.skipComments(), 0);
    EXPECT_FALSE(r.peekMatches("x"));
    EXPECT_FALSE(r.isNumberNext());
    r.skip(2147483647);
    EXPECT_EQ(r.readByte(), -1);
    r.seek(-5);
    EXPECT_EQ(r.tell(), 0) << "a negative position counts as 0";
    EXPECT_EQ(open("").readByte(), -1);
}

TEST_P(ReaderTest, LinesAndLineEnds)
{
    Reader& r = open("one\r\ntwo\rthree\nfour");
    DataBuffer line;
    EXPECT_EQ(r.readLine(line), 5);
    EXPECT_EQ(r.readLine(line), 4);
    EXPECT_EQ(r.skipLine(), 6);
    EXPECT_EQ(r.readLine(line), 4);
    EXPECT_EQ(toString(line), "onetwofour");

    Reader& eol = open("\r\n\n\rx");
    for (const int length : {2, 1, 1, 0})
        EXPECT_EQ(eol.skipEOL(), length);
    EXPECT_EQ(eol.readByte(), 'x');
}

TEST_P(ReaderTest, NumbersAndTheirErrors)
{
    Reader& r = open("12.5 -7 +.25 x 3");
    EXPECT_EQ(r.readInt(), 12);
    EXPECT_EQ(r.peekByte(), ' ') << "the byte after the number stays unread";
    for (const double value : {-7.0, 0.25}) {
        r.skipWhitespace();
        EXPECT_TRUE(r.isNumberNext());
        EXPECT_DOUBLE_EQ(r.readDouble(), value);
    }
    r.skipWhitespace();
    EXPECT_FALSE(r.isNumberNext());
    EXPECT_EQ(messageOf<NumberFormatException>([&] { r.readInt(); }), "Could not read integer");
    EXPECT_EQ(messageOf<NumberFormatException>([&] { r.readDouble(); }), "Could not read double");
    EXPECT_EQ(r.readByte(), 'x');

    Reader& signs = open("-. +x .5 5");
    for (const bool number : {false, false, true}) {
        EXPECT_EQ(signs.isNumberNext(), number) << signs.tell();
        signs.skip(3);
    }
    DataBuffer digits;
    EXPECT_EQ(signs.readDigits(digits), 1);
    EXPECT_EQ(signs.readDigits(digits), 0);
}

TEST_P(ReaderTest, PeeksMarksAndCharacterClasses)
{
    Reader& r = open("%c1\n%c2\r\n \t\b\f\r\n" + std::string(1, '\0') + "Name/x[");
    r.mark();
    r.skipWsAndComments();
    EXPECT_EQ(r.tell(), 16);
    EXPECT_TRUE(r.peekMatches("Name"));
    EXPECT_FALSE(r.peekMatches("Names"));
    EXPECT_TRUE(r.isAlphaNext());
    EXPECT_TRUE(r.peekIs('N'));
    r.mark();
    DataBuffer name;
    r.readUntil(name, Reader::kNameDelimiters, Reader::kNameDelimiterCount);
    EXPECT_EQ(toString(name), "Name");
    for (const int position : {16, 0, 0}) { // the last reset has no mark left
        r.reset();
        EXPECT_EQ(r.tell(), position);
    }

    EXPECT_EQ(r.skipComments(), 9);
    EXPECT_EQ(r.skipOneWhitespace(), 1);
    EXPECT_EQ(r.skipChars(" \t", 2, -1), 1);
    EXPECT_EQ(r.skipWhitespace(), 5) << "backspace, form feed, CR, LF and NUL are white space";
    DataBuffer alpha;
    EXPECT_EQ(r.readAlpha(alpha), 4);
    r.unread(2);
    EXPECT_EQ(r.readByte(), 'm');
}

TEST(BufferReaderSeek, ClampedToTheData)
{
    const DataBuffer bytes("abc");
    BufferReader r(bytes);
    r.seek(99);
    EXPECT_EQ(r.tell(), 3);
    r.unread(1);
    EXPECT_EQ(r.readByte(), 'c');
}

TEST(FileReaderBlocks, LargeFileAcrossBlocksAndWidePath)
{
    ScratchFolder folder;
    std::string bytes(100000, '\0');
    std::mt19937 random(7);
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    const ZString path = folder.file(L"\x00e4\x00f6\x00fc \x65e5\x672c.pdf");
    ASSERT_TRUE(writeFileBytes(path, bytes));

    FileReader r(path);
    EXPECT_EQ(r.length(), 100000);
    DataBuffer all;
    EXPECT_EQ(r.readBytes(all, 200000), 100000);
    EXPECT_EQ(toString(all), bytes);
    // Random seeks land on the right bytes wherever the block boundaries are.
    for (int i = 0; i < 200; ++i) {
        const int at = static_cast<int>(random() % 100000);
        r.seek(at);
        ASSERT_EQ(r.readByte(), static_cast<unsigned char>(bytes[static_cast<size_t>(at)])) << at;
    }
    r.seek(16380);
    DataBuffer part;
    EXPECT_EQ(r.readBytes(part, 10), 10);
    EXPECT_EQ(toString(part), bytes.substr(16380, 10));
    r.close();
    EXPECT_EQ(r.readByte(), -1);

    FileReader missing(folder.file(L"missing.pdf"));
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(missing.readByte(), -1);
    EXPECT_EQ(missing.length(), 0);
}

TEST(FileWriterOutput, WritesCountsAndFailsQuietly)
{
    ScratchFolder folder;
    const ZString path = folder.file(L"\x00e4out.pdf");
    {
        FileWriter w(path);
        w.writeString("%PDF-1.4\r\n");
        w.writeBytes("xxabcxx", 2, 3);
        w.writeInt(-3);
        w.writeDouble(1.5);
        EXPECT_EQ(w.position(), 10 + 3 + 2 + 8);
    }
    EXPECT_EQ(readFileBytes(path), "%PDF-1.4\r\nabc-31.500000");
    {
        FileWriter truncating(path);
        truncating.writeChar('x');
        EXPECT_TRUE(truncating.close());
    }
    EXPECT_EQ(readFileBytes(path), "x");

    FileWriter nowhere(folder.file(L"no-such-folder/out.pdf"));
    EXPECT_TRUE(nowhere.failed());
    nowhere.writeString("ignored");
    EXPECT_EQ(nowhere.position(), 0);
    EXPECT_FALSE(nowhere.close());
}
