#pragma once

#include <cstddef>

#include "common/prompter.h"
#include "lookup/album_entry.h"

// The number of tracks of an album typed in by hand.
namespace lookup {

// Asks until the answer is a whole number from 1 to 999 (a track's NR holds
// three digits), saying "Entry must be a number (1 or more)" after any
// other; cancelling answers the default, 1.
std::size_t askTrackCount(common::Prompter& prompter);

// `count` rows "01" ... with empty lengths and the titles "Track 01" ...
void fillNumberedTracks(std::size_t count, AlbumEntry& entry);

}  // namespace lookup
