#pragma once

#include <functional>
#include <string>

namespace catalogue {

// Where catalogue work reports progress: the main window's status bar.
// An empty function discards the texts.
using StatusReport = std::function<void(const std::string& text)>;

}  // namespace catalogue
