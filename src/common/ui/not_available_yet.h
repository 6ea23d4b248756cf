#pragma once

#include <string_view>

namespace common::ui {

// Added to the tooltip of a control whose action has no handler yet: the
// main window's features and the edit form's tools alike.
inline constexpr std::string_view kNotAvailableYet = "Not available yet";

}  // namespace common::ui
