#pragma once

#include <string>
#include <string_view>

// Display Album Cover without its windows: which picture the notes name and
// who shows it.
namespace editing {

inline constexpr std::string_view kNoCoverText =
    "No cover art found\rClick the \"Modify\" button,\rthen \"Get Cover Art\" (if you don't have it already),\r"
    "finally \"Edit Notes\" and \"Add Cover Image\"\rto add a cover image for this album";
// Follows the stored path and a line break.
inline constexpr std::string_view kCoverGoneEnd = "No longer exists";
// Follows the picture's path and a line break: a file that is no picture
// the program can read.
inline constexpr std::string_view kNotAPictureEnd = "cannot be shown: it is not a picture Vinora can read";
// The viewer program's path follows.
inline constexpr std::string_view kViewerNotStartedText = "The viewer program could not be started:\r";

struct CoverDisplay {
    enum class Action {
        Tell,        // `message` says why nothing shows (only when asked interactively)
        Nothing,     // the quiet call found nothing to show
        StartViewer, // `viewer` with `image` as its one argument
        ShowImage,   // the program's own window shows `image`
    };
    Action action = Action::Nothing;
    std::string message;  // Windows-1252, "\r" for line breaks
    std::string image;    // as the file system spells it (UTF-8)
    std::string viewer;   // as the file system spells it
};

// What Display Album Cover does for an album's `notes` (Windows-1252) with
// the `viewer` setting (Windows-1252; blank when none). The last "COVER="
// line names the picture; the viewer counts only when it names an existing
// file. `interactive` is false for playback's quiet call, which never tells.
CoverDisplay coverDisplay(std::string_view notes, std::string_view viewer, bool interactive);

}  // namespace editing
