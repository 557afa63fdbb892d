// Reader: a byte source with a position, a stack of marks and the small
// lexical operations the parser is built from.
//
// A reader supplies readByte (-1 at the end of the data), seek, close, length
// and tell; every other operation is implemented here on top of them.
// Peeking operations restore the position.
#pragma once

#include "zpdf/DataBuffer.h"

#include <vector>

namespace zpdf {

class Reader {
public:
    // White space: space, CR, TAB, LF, backspace, form feed and NUL.
    static const char kWhitespace[];
    static constexpr int kWhitespaceCount = 7;
    // The bytes that end a name: white space and ( ) < > { } / % [ ].
    static const char kNameDelimiters[];
    static constexpr int kNameDelimiterCount = 17;

    Reader() = default;
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    virtual ~Reader() = default;

    // Appends up to count bytes to out; returns how many.
    virtual int readBytes(DataBuffer& out, int count);
    // The next byte 0-255, or -1 at the end of the data.
    virtual int readByte() = 0;
    virtual void seek(int position) = 0;
    virtual void close() = 0;
    // The total size of the data.
    virtual int length() = 0;
    virtual int tell() = 0;
    virtual void skip(int n);
    virtual void unread(int n);
    // Appends the consecutive digits ahead to out and returns their count;
    // the first byte of another kind stays unread.
    virtual int readDigits(DataBuffer& out);
    // The same for the letters a-z and A-Z.
    virtual int readAlpha(DataBuffer& out);
    // Optional sign, digits, optional ".", digits; returns the bytes taken.
    virtual int readNumberText(DataBuffer& out);
    // The number ahead; NumberFormatException "Could not read double" when
    // there is none.
    virtual double readDouble();
    // The number ahead, as C atoi reads it (12.5 reads as 12);
    // NumberFormatException "Could not read integer" when there is none.
    virtual int readInt();
    virtual bool isDigitNext();
    // Optional sign, optional ".", then a digit.
    virtual bool isNumberNext();
    virtual bool isAlphaNext();
    virtual int skipDigits();
    // Skips bytes of the set (setSize bytes, NUL allowed), at most max of
    // them (max < 0: no limit); returns how many.
    virtual int skipChars(const char* set, int setSize, int max);
    // Appends the bytes up to the first byte of the stop set (left unread) or
    // the end of the data.
    virtual void readUntil(DataBuffer& out, const char* stopSet, int setSize);
    virtual int skipWhitespace();
    virtual int skipOneWhitespace();
    // Skips comments ("%" to the end of the line, line end included); returns
    // the bytes skipped.
    virtual int skipComments();
    // True if the bytes ahead equal text.
    virtual bool peekMatches(const char* text);
    virtual bool peekIs(int byte);
    // Appends the bytes up to CR, LF or CR LF; the line end is consumed but
    // not stored. Returns the bytes consumed, line end included.
    virtual int readLine(DataBuffer& out);
    virtual int skipLine();
    // Consumes LF (1), CR LF (2), CR (1) or nothing (0).
    virtual int skipEOL();
    // Pushes the current position; reset pops the last one and returns there
    // (nothing when there is none).
    virtual void mark();
    virtual void reset();

    // White space and comments, until neither is ahead.
    void skipWsAndComments();
    // The next byte without consuming it, or -1.
    int peekByte();

private:
    template <typename Keep>
    int takeWhile(DataBuffer* out, Keep keep);

    std::vector<int> m_marks;
};

} // namespace zpdf
