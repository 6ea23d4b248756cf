#pragma once

#include <string>
#include <vector>

#include "platform/disc_toc.h"

namespace test_support {

// The four-track disc of the documented examples: 900 seconds, ID 1b038204.
inline const std::vector<long> kFourTrackOffsets{150, 23280, 40500, 56324};
inline constexpr long kFourTrackLeadOut = 67510;

// A TOC with tracks starting at the absolute frames `offsets`.
platform::DiscToc discToc(const std::vector<long>& offsets, long leadOut);

// Every entry of the CDDB fixture database (cddb/entries/<category>/<id>),
// in path order.
std::vector<std::string> cddbEntryFiles();

// The lines of a text file without their line ends (CR LF or LF); a last
// line without a line end counts.
std::vector<std::string> fileLines(const std::string& path);
// The lines of a file of the CDDB fixtures ("entries/jazz/41074305").
std::vector<std::string> cddbFixtureLines(const std::string& relative);

// The disc an xmcd entry describes, read plainly from its comment block.
struct EntryDisc {
    std::vector<long> offsets;
    long discLength = 0;  // seconds
    std::string discId;   // the first identifier of DISCID
};
EntryDisc entryDisc(const std::vector<std::string>& lines);

}  // namespace test_support
