#pragma once

#include <vector>

#include "platform/disc_toc.h"

// Quantities derived from a table of contents. Integer arithmetic; divisions
// truncate.
namespace lookup {

// Minute x 4500 + second x 75 + frame.
long frameOffset(const platform::MsfAddress& address);
// Minute x 60 + second; the frame is ignored.
long startSecond(const platform::MsfAddress& address);
// The start second of the lead-out.
long discLengthSeconds(const platform::DiscToc& toc);

// Length of track `index` (0 for track 1) as the edit form shows it: the next
// track's start second (the lead-out's for the last track) minus this one's,
// minus the 2 seconds of gap every track is charged.
// Requires: index < toc.trackCount.
long trackLengthSeconds(const platform::DiscToc& toc, int index);

// Frame offsets of all tracks, in order.
std::vector<long> frameOffsets(const platform::DiscToc& toc);
// Lengths of all tracks, in order.
std::vector<long> trackLengths(const platform::DiscToc& toc);

// The address of an absolute frame number (lead-in included).
// Requires: 0 <= frames <= 255 minutes' worth.
platform::MsfAddress msfFromFrames(long frames);

}  // namespace lookup
