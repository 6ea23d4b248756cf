#pragma once

#include <string>
#include <string_view>

// The text rules the areas share, on Windows-1252 bytes. The record engine
// keeps its own: it sits below every area and stays self-contained.
namespace common {

// Without leading and trailing blanks: every byte up to the space, control
// characters included, as a trim of a text box or a read line sees them.
std::string_view trimmed(std::string_view text);
std::string_view trimmedLeft(std::string_view text);

// ASCII letters lowered; other bytes kept.
std::string lowerAscii(std::string_view text);

// Comparisons with the case of ASCII letters ignored.
bool equalsNoCase(std::string_view a, std::string_view b);
bool lessNoCase(std::string_view a, std::string_view b);

}  // namespace common
