#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lookup {

// One disc a query found: a line "CATEGORY DISCID Artist / Album" of the
// server's answer.
struct CddbMatch {
    std::string category;  // as received; the read command sends it so
    std::string discId;    // 8 characters
    std::string artist;
    std::string album;
};

// The match a line describes: the category up to the first blank, the 8
// characters after it, then after one more blank the title (255 characters
// at most), split at its first "/" into artist and album, both trimmed,
// runs of backslashes reduced to one. A title without "/" is all album.
// Nothing when the line has no category or no 8-character identifier
// ending the line or followed by a blank.
std::optional<CddbMatch> parseCddbMatch(std::string_view line);

}  // namespace lookup
