#pragma once

#include <string>
#include <vector>

namespace lookup {

// What the album edit form is doing; set by whoever opens it.
enum class EditMode {
    AddFromDrive = 1,  // the CD in the drive; also a pasted entry with a DISCID
    AddOther = 2,      // an album not in the drive
    Modify = 3,        // the current album (also: updating only its track titles)
};

inline bool isNewAlbumMode(EditMode mode) { return mode != EditMode::Modify; }

// One row of the edit form's track grid: its three cells as shown.
struct TrackRow {
    std::string number;  // "  1", or "01" from a pasted entry
    std::string length;  // " 4:07"
    std::string title;
};

// The edit form's contents that disc lookups and pasted entries fill,
// independent of any window: the form loads it before showing and reads it
// back on OK.
struct AlbumEntry {
    std::string artist;
    std::string album;
    std::string genre;
    std::string year;
    // The revision display: one character (code 48 + revision) after a
    // server lookup, the decimal text after a pasted entry.
    std::string revision = "0";
    std::vector<std::string> notes;  // the notes text, one entry per line
    std::vector<TrackRow> tracks;    // grid rows 1 to N: track 1 first
};

}  // namespace lookup
