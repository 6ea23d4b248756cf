#pragma once

#include <functional>
#include <string>

namespace lookup {

// Shows a message in an error box (error sign, OK button) and returns when
// the user has closed it. A "\r" in the text is a line break.
using ErrorBox = std::function<void(const std::string& message)>;

}  // namespace lookup
