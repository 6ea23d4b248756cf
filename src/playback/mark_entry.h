#pragma once

#include <string>
#include <string_view>

// The one line of text by which the marking dialog lists a track: NR as
// stored (three characters, right-aligned, so sorted entries are in track
// order), "-", the title, and " (m:ss)" when the length is known. The entry
// is all the lists keep: its track number is read back from it.
namespace playback {

// Minutes as in the tracks list ("(9:10)") and as in the marked list when
// it is loaded from PLAYLIST ("( 9:10)"). An entry keeps its form when it
// moves between the lists.
inline constexpr int kAvailableMinuteWidth = 1;
inline constexpr int kMarkedMinuteWidth = 2;

// markEntry("  4", "Low Tide", 550, kAvailableMinuteWidth) == "  4-Low Tide (9:10)";
// no length part when `seconds` is 0 or less. Trailing blanks of the
// title are dropped.
std::string markEntry(std::string_view nr, std::string_view title, long seconds, int minuteWidth);

// The text before the first "-", as it is ("  4"): the NR a mark is saved
// with.
std::string entryNr(std::string_view entry);

// That text read as a number ("  4" gives 4); 0 when it is not one.
long entryTrackNumber(std::string_view entry);

}  // namespace playback
