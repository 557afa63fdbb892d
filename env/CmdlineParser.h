// Command-line parsing: the text is split like the system splits a program's
// command line, and each element is offered to handleArgument in turn.
#pragma once

#include "base/ZString.h"

class CmdlineParser {
public:
    virtual ~CmdlineParser() = default;

    // Empties every parsed field.
    virtual void reset() = 0;
    // reset, then split the text (CommandLineToArgvW) and parse the elements;
    // with skipFirst the first element (a program name) is dropped.
    virtual void parse(const ZString& text, bool skipFirst);
    virtual void parseArguments(const wchar_t* const* elements, int count);
    // 1 when the value was consumed, else 0.
    virtual int handleOption(const ZString& key, const ZString& value) = 0;
    // Offers element i with the next one (or the empty text) as its value.
    virtual int handleArgument(const wchar_t* const* elements, int i, int count);
};
