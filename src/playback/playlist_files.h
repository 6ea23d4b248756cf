#pragma once

#include <string>
#include <string_view>
#include <vector>

// The audio files an album copied to a local drive names, found from its
// label (a directory and a file-name mask) or from the first line of its
// notes. Names match without regard to case: a catalogue made on a system
// that ignores case keeps the case its user typed.
namespace playback {

// The files `spec` names: when its name part holds "*" or "?", every file
// of its directory whose name matches, sorted by name regardless of case;
// otherwise the one file of that name (the exact spelling first). Paths are
// the directory part of `spec` and the names as the directory spells them.
// Folders and hidden files are not listed. Requires: `spec` in the file
// system's encoding.
std::vector<std::string> matchingFiles(std::string_view spec);

// Whether `name` matches `mask` ("*" any run, "?" one character), letters
// compared regardless of case.
bool maskMatches(std::string_view mask, std::string_view name);

// A path stored in the catalogue or the settings (Windows-1252, padded)
// as the file system spells it.
std::string localPath(std::string_view stored);

struct FilePlaylistSource {
    std::vector<std::string> paths;  // empty: play the CD instead
    bool windowsLabel = false;       // the label is a Windows path naming no file here
};

// What Play lists for an album: for the "LD" medium, the files of its label,
// else of its notes' first line; nothing for other media. `label` and
// `notes` as stored (Windows-1252, label padded).
FilePlaylistSource filePlaylistSource(std::string_view media, std::string_view label, std::string_view notes);

}  // namespace playback
