#pragma once

#include <string_view>

namespace common {

// The application title: window captions, the single-instance name.
inline constexpr std::string_view kAppTitle = "Vinora";

// The program's version (the build's project version), as the lookup
// greeting, submissions and the detail view show it.
std::string_view productVersion();

}  // namespace common
