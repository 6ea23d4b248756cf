#include "lookup/xmcd_text.h"

#include <climits>

namespace lookup::xmcd {
std::optional<long> integerValue(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const int digit = c - '0';
        if (value > (LONG_MAX - digit) / 10)
            value = LONG_MAX;
        else
            value = value * 10 + digit;
    }
    return negative ? -value : value;
}

std::string collapseBackslashes(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\\' || out.empty() || out.back() != '\\')
            out += c;
    return out;
}

std::string_view withoutLineEnd(std::string_view line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    return line;
}

}  // namespace lookup::xmcd
