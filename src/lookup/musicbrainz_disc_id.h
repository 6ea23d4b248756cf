#pragma once

#include <string>

#include "platform/disc_toc.h"

// The disc's identity as MusicBrainz knows it, from the TOC alone.
namespace lookup {

// The MusicBrainz disc ID: SHA-1 over the first and last track numbers
// (2 upper-case hex digits each), the lead-out and 99 track offsets
// (8 digits each, 0 past the last track; frames, lead-in included),
// in base64 with "." "_" "-" for "+" "/" "=". 28 characters.
// Requires: toc.trackCount > 0.
std::string musicBrainzDiscId(const platform::DiscToc& toc);

// The `toc` parameter of a MusicBrainz look-up by TOC: first track, last
// track, lead-out and the track offsets, separated by "+".
// Requires: toc.trackCount > 0.
std::string musicBrainzTocParameter(const platform::DiscToc& toc);

}  // namespace lookup
