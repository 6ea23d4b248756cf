#pragma once

#include <string>
#include <string_view>

#include <QUrl>

namespace app {

// Where pages not shipped with the program are looked for on the web.
inline constexpr std::string_view kProductWebSite = "https://vinora.example.org/";

// The address that opens a page reference: a file name, optionally
// followed by "#" and an anchor ("CDhelp2.html#notes"). The file in the
// program directory when it has one, else the file in the shipped data
// folder (both as file: addresses keeping the anchor), else `webSite`
// followed by the whole reference.
QUrl pageAddress(std::string_view reference, const std::string& programDir, const std::string& dataDir,
                 std::string_view webSite = kProductWebSite);

}  // namespace app
