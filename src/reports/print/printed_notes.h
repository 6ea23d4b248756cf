#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace reports::print {

// The lines of an album's notes as the printed report shows them: without
// the extended track data ("EXTT" lines), and with each extended album line
// ("EXTD=") reduced to its text without the escaped line breaks at its ends.
std::vector<std::string> printedNotes(std::string_view notes);

}  // namespace reports::print
