#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "xbase/cursor.h"

// The DJ upload file: one line per track with artist, title, genre and
// year, every value quoted, Windows-1252 text as the catalogue stores it,
// CR LF line ends.
namespace playback {

inline constexpr std::string_view kDjExportFileName = "DJintel.csv";

// One CSV record ended by CR LF: each value in double quotes, a quote
// inside doubled, so commas, quotes and line breaks in a value read back
// whole.
std::string csvRecord(std::initializer_list<std::string_view> values);

// Replaces `path` with one record per row of `rows` (filter in force) in
// the order of its tag "Artist": the fields Artist, Track, Genre and YR
// without trailing blanks. The file is written beside and renamed over;
// the cursor's order and current row are put back, also when writing
// fails. Returns the number of records. Throws xbase::XbaseError.
std::size_t writeDjExport(xbase::Cursor& rows, const std::string& path);

}  // namespace playback
