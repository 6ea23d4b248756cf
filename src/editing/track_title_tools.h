#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The edit form's title tools as rules over text: the windows hand in the
// cells and the picked files and put the results back.
namespace editing {

// A title cell of a multi-artist album exchanged around its separator, which
// becomes " / ": "Song - Singer" gives "Singer / Song", "Song (Singer)"
// gives "Singer / Song". A cell without a usable separator or parenthesised
// part comes back unchanged. Twice on "A / B" gives "A / B" again.
std::string flippedTitle(std::string_view cell);

// The width of an album's label field.
inline constexpr std::size_t kLabelWidth = 55;

struct FileMask {
    std::string directory;  // of the first file, with its trailing "/"
    std::string mask;
};

// The directory and file-name mask of picked audio files. One file: its path.
// Several: the directory, the leading characters the names' stems (up to
// their first ".") share regardless of case, "*" and the first file's
// extension, the name part lower-cased. The directory keeps its case: the
// file system tells case apart, the playlist's matching does not.
// Requires: `paths` not empty, each a full path.
FileMask fileMask(const std::vector<std::string>& paths);

struct LabelAndNotes {
    std::string label;
    std::string notes;
};

// Where a mask goes: the label when it fits, else in front of the notes as
// their new first line (the label then keeps its text).
LabelAndNotes placedMask(std::string_view mask, LabelAndNotes form);

}  // namespace editing
