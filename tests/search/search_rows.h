#pragma once

#include <string>

#include "support/catalogue_rows.h"

namespace test_support {

inline constexpr const char* kDoubleQuotedAlbum = "The 12\" Mixes";
inline constexpr const char* kBothQuotesAlbum = "Rock 'n' Roll \"Live\" at Rick's";

// The rows the searches are tried on, added to the small collection in
// `dir`: a single-artist album by John Smith, track 7 of a compilation by
// Jane Smith, and album titles holding quotes.
inline void appendSearchRows(const std::string& dir)
{
    appendRow(dir, "ALBUMS.DBF",
              {{"ID", "z0000005"}, {"Album", "Smith Sessions"}, {"Artist", "John Smith"}, {"Label", "Shelf 9"}});
    appendRow(dir, "ARTISTS.DBF", {{"ID", "z0000005"}, {"Artist", "John Smith"}});
    appendRow(dir, "TRACKS.DBF", {{"ID", "c30d2e11"}, {"NR", "  7"}, {"Track", "Jane Smith / Song"}, {"Secs", "200"}});
    appendRow(dir, "ARTISTS.DBF", {{"ID", "c30d2e11"}, {"NR", "  7"}, {"Artist", "Jane Smith"}});
    appendRow(dir, "ALBUMS.DBF", {{"ID", "z0000006"}, {"Album", kDoubleQuotedAlbum}, {"Artist", "DJ"}});
    appendRow(dir, "ALBUMS.DBF", {{"ID", "z0000007"}, {"Album", kBothQuotesAlbum}, {"Artist", "Band"}});
}

}  // namespace test_support
