#pragma once

#include <string_view>

namespace reports {

// The entity that stands for `c` in markup text and attribute values;
// empty when `c` stands for itself.
inline std::string_view markupEntity(char c)
{
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    default:
        return {};
    }
}

}  // namespace reports
