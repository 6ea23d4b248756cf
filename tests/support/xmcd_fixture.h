#pragma once

#include <string>
#include <vector>

namespace test_support {

// Every entry of the CDDB fixture database (cddb/entries/<category>/<id>),
// in path order.
std::vector<std::string> cddbEntryFiles();

// The lines of a text file without their line ends (CR LF or LF); a last
// line without a line end counts.
std::vector<std::string> fileLines(const std::string& path);

// The disc an xmcd entry describes, read plainly from its comment block.
struct EntryDisc {
    std::vector<long> offsets;
    long discLength = 0;  // seconds
    std::string discId;   // the first identifier of DISCID
};
EntryDisc entryDisc(const std::vector<std::string>& lines);

}  // namespace test_support
