#pragma once

#include <optional>
#include <string>
#include <string_view>

// Small text rules shared by the xmcd readers and writer.
namespace lookup::xmcd {

// The decimal integer `text` holds: an optional sign and at least one
// digit, nothing else. Values past the range of long are clamped to it.
std::optional<long> integerValue(std::string_view text);

// Every run of two or more backslashes becomes one.
std::string collapseBackslashes(std::string_view text);

// At most `n` leading characters.
inline std::string_view head(std::string_view text, std::size_t n) { return text.substr(0, n); }

// Without a trailing CR or LF, as lines may arrive from a network or the
// clipboard.
std::string_view withoutLineEnd(std::string_view line);

}  // namespace lookup::xmcd
