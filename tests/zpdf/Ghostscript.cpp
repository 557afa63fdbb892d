#include "tests/zpdf/Ghostscript.h"

#include <cstdlib>

int pageCountFromOutput(const std::string& output)
{
    const size_t last = output.find_last_not_of("\r\n");
    if (last == std::string::npos)
        return -1;
    const size_t newline = output.find_last_of("\r\n", last);
    const size_t start = newline == std::string::npos ? 0 : newline + 1;
    const std::string line = output.substr(start, last + 1 - start);
    return line.find_first_not_of("0123456789") == std::string::npos ? std::atoi(line.c_str()) : -1;
}
