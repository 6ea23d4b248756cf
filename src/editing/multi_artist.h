#pragma once

#include <optional>
#include <string>
#include <string_view>

// How the edit form tells a multi-artist album and the artist of a track.
namespace editing {

// Whether the first seven characters of the artist text, upper-cased, are
// "VARIOUS" ("various artists", "Various Artists Vol. 2"; not "The Various").
bool isVarious(std::string_view artist);

// The artist of a multi-artist album's track title: the trimmed text before
// " / ", or before "/" when there is no " / ". Nothing when the title has
// neither, or begins with its separator.
std::optional<std::string> trackArtist(std::string_view title);

// The header of the grid's title column.
std::string_view titleHeader(bool various);

}  // namespace editing
