#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "lookup/album_entry.h"
#include "lookup/track_list_readers.h"

// Text rules the track-list readers share.
namespace lookup::track_lists {

// Rows past this could not be stored: a track's NR holds three digits.
inline constexpr std::size_t kMostTracks = 999;

// "01", "02", ... "100".
std::string numberText(std::size_t number);

// A new row numbered `number`, with an empty length.
TrackRow numberedRow(std::size_t number, std::string title = {});

// Position of the line's first ".", when the character before it is a digit.
std::optional<std::size_t> dotAfterDigit(std::string_view line);

// Position of the line's first ".", when the line begins with a number that
// runs up to it ("12. Title"); a sentence that ends in a year is no track.
std::optional<std::size_t> dotAfterLeadingNumber(std::string_view line);

// In the new-album modes the artist becomes kVariousArtist, selected.
void makeArtistVarious(EditMode mode, AlbumEntry& entry, TrackListResult& result);

// Adds kNoTrackListMessage when nothing was read and no error says why.
TrackListResult& sayWhenEmpty(TrackListResult& result);

}  // namespace lookup::track_lists
