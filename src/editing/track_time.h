#pragma once

#include <string_view>

namespace editing {

// Seconds of a time cell of the track grid: the minutes before the first
// ":" and the two digits after it, blanks around them allowed (" 4:05" is
// 245, "12:30" is 750, "100:00" is 6000). A cell without ":" gives 0, and
// so does a part that is not a number (it then counts as 0).
long cellSeconds(std::string_view cell);

}  // namespace editing
