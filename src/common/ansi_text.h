#pragma once

#include <string>
#include <string_view>

#include <QString>

// The one place where text changes encoding: the catalogue, the settings and
// every file the program writes hold Windows-1252; Qt shows Unicode.
namespace common {

QString fromAnsi(std::string_view text);

// Characters that Windows-1252 cannot hold become "?"; `lossy`, when given,
// is set to whether that happened.
std::string toAnsi(const QString& text, bool* lossy = nullptr);

// The text of an error: UTF-8 when it is valid UTF-8 (file paths on Linux),
// else Windows-1252 (catalogue values).
QString fromMessage(std::string_view text);

}  // namespace common
