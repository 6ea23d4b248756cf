#pragma once

#include <string>
#include <vector>

namespace test_support {

// The freedb identifier libdiscid computes for tracks 1..n at `offsets`
// (frames, lead-in included) ending at `leadOut`; "" when it refuses them.
std::string libdiscidFreedbId(const std::vector<long>& offsets, long leadOut);
// The MusicBrainz disc ID and TOC text ("1 N LEADOUT OFFSETS...") libdiscid
// gives the same tracks; "" when it refuses them.
std::string libdiscidMusicBrainzId(const std::vector<long>& offsets, long leadOut);
std::string libdiscidTocText(const std::vector<long>& offsets, long leadOut);

}  // namespace test_support
