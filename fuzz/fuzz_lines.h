#pragma once

#include <string>
#include <string_view>
#include <vector>

// The input cut at each LF only: a CR stays in its line, as pasted text from
// other systems brings it, for the readers to deal with.
inline std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}
