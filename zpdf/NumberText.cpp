#include "zpdf/NumberText.h"

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace zpdf {

namespace {

// The decimal point of the current C locale when it is not ".", else null.
const char* foreignDecimalPoint()
{
    const std::lconv* conv = std::localeconv();
    if (conv == nullptr || conv->decimal_point == nullptr)
        return nullptr;
    const char* dp = conv->decimal_point;
    if (dp[0] == 0 || (dp[0] == '.' && dp[1] == 0))
        return nullptr;
    return dp;
}

template <typename T>
std::string format(const char* fmt, T value)
{
    char small[128];
    int n = std::snprintf(small, sizeof small, fmt, value);
    if (n < 0)
        return std::string();
    if (static_cast<size_t>(n) < sizeof small)
        return std::string(small, static_cast<size_t>(n));
    std::vector<char> big(static_cast<size_t>(n) + 1);
    n = std::snprintf(big.data(), big.size(), fmt, value);
    return n < 0 ? std::string() : std::string(big.data(), static_cast<size_t>(n));
}

} // namespace

std::string formatDouble(const char* fmt, double value)
{
    std::string text = format(fmt, value);
    if (const char* dp = foreignDecimalPoint()) {
        const size_t at = text.find(dp);
        if (at != std::string::npos) {
            std::string dotted(text, 0, at);
            dotted += '.';
            dotted.append(text, at + std::strlen(dp), std::string::npos);
            text.swap(dotted);
        }
    }
    return text;
}

std::string formatInt(const char* fmt, int value) { return format(fmt, value); }

double parseDouble(const char* text)
{
    const char* dp = foreignDecimalPoint();
    if (dp == nullptr)
        return std::strtod(text, nullptr);
    // Spell the text the way the current locale reads it. The locale's own
    // decimal point ends a number in the "C" locale, so the copy ends there too.
    std::string local;
    for (const char* p = text; *p != 0 && *p != dp[0]; ++p) {
        if (*p == '.')
            local += dp;
        else
            local += *p;
    }
    return std::strtod(local.c_str(), nullptr);
}

int parseInt(const char* text)
{
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

int truncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return INT_MAX;
    if (value <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace zpdf
