#pragma once

#include <string>

// The two text forms every window shows: lengths and track numbers.
namespace catalogue {

// Minutes right-aligned in `width` characters (more when needed, never
// cut), ":", then the seconds as two digits: timeText(245, 2) == " 4:05",
// timeText(245, 3) == "  4:05". Width 2 serves tracks, 3 totals.
std::string timeText(long seconds, int width);

// Decimal digits right-aligned in `width` characters, blank-padded:
// numberText(7, 3) == "  7", the form of a track's NR.
std::string numberText(long value, int width);

}  // namespace catalogue
