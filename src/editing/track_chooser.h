#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/prompter.h"
#include "lookup/album_entry.h"

namespace editing {

inline constexpr std::string_view kNoTracksText = "No tracks entered for this Album";
inline constexpr std::string_view kNoTrackSelectedText = "No track selected";

// The choice of the track that extended data is for. Its preselection
// counter lives as long as the program: it grows with every choice and
// goes back to 0 when an album is opened for Modify.
class TrackChooser {
public:
    // Requires: `prompter` outlives this object.
    explicit TrackChooser(common::Prompter& prompter) : prompter_(prompter) {}

    // One entry per track row: the number cell right-aligned in three
    // characters, "-" and the title ("  3-Title"). Without rows the user is
    // told and nothing is returned.
    std::optional<std::vector<std::string>> entries(const std::vector<lookup::TrackRow>& rows);
    // The entry selected at first among `count`, when the counter is within.
    std::optional<std::size_t> preselected(std::size_t count) const;
    // OK with `selected`: true when it may close with that choice (the
    // counter grows); without a selection the user is told, and it stays.
    bool accept(std::optional<std::size_t> selected);
    void resetPreselection() { counter_ = 0; }

private:
    common::Prompter& prompter_;
    std::size_t counter_ = 0;
};

}  // namespace editing
