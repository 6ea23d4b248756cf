#pragma once

#include <string>
#include <string_view>

namespace vinora_dbf {

// The inspector's escaping: \\ \t \r \n, and \xHH (lower-case hex) for any
// other byte outside 0x20..0x7E. Output is pure ASCII.
std::string escape(std::string_view bytes);

// Reverses escape(). Throws std::invalid_argument on a malformed escape.
std::string unescape(std::string_view text);

}  // namespace vinora_dbf
