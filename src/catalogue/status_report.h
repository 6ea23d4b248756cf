#pragma once

#include <functional>
#include <string>

namespace catalogue {

// Where catalogue work reports progress: the main window's status bar.
// An empty function discards the texts.
using StatusReport = std::function<void(const std::string& text)>;

// Where catalogue work tells the user what they must know (a file moved
// aside, notes lost): a message box once the work is done. Texts are
// Windows-1252, "\r" a line break. An empty function discards them.
using NoticeReport = std::function<void(const std::string& text)>;

}  // namespace catalogue
