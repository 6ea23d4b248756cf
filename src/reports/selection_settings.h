#pragma once

#include <string>
#include <string_view>

namespace reports {

// The orders a report can list its albums in: an ALBUMS tag each, or
// record order.
enum class SortOrder { Artist, Album, Label, Genre, Natural };

inline constexpr std::string_view kDefaultReportTitle = "My Music Collection";

// The ALBUMS tag of `order`; "" for record order.
std::string_view tagOf(SortOrder order);
// The order a report starts with when the main window lists its albums by
// `tag` (case ignored); any other tag, or none, gives Natural.
SortOrder sortOrderForTag(std::string_view tag);

// What the user chose for one output.
struct SelectionSettings {
    std::string albumsFilter;  // engine expression over ALBUMS, or ""
    std::string tracksFilter;  // engine expression over TRACKS (TRACK only), or ""
    bool includeTracks = false;
    bool includePlaylists = false;
    SortOrder order = SortOrder::Natural;
    std::string title{kDefaultReportTitle};  // Windows-1252
};

}  // namespace reports
