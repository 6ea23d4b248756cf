#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "lookup/album_entry.h"

// Readers of a track list copied from a web page, one per kind of page. Each
// takes the pasted text as lines (Windows-1252, line ends allowed), changes
// only the entry it is given, skips every line it does not recognise and
// never throws on any text. Rows a reader creates are numbered "01", "02",
// ... with an empty length. The xmcd entry of an online-database page has a
// reader of its own (readPastedEntry).
namespace lookup {

inline const std::string kVariousArtist = "Various";
inline const std::string kNoTrackListMessage = "No track list found in the copied text";
inline const std::string kNoTrackDataMessage = "No track data available online";
// Followed by the number of track rows.
inline const std::string kLineCountMismatchMessage = "Number of non-blank lines do not match track count of ";

// What a reader did besides filling the entry. The window shows the errors
// (error boxes) and then the notices (plain message boxes), in order, and
// adds no message of its own.
struct TrackListResult {
    // Track rows written or changed; 0 when nothing was recognised (a
    // message then says so).
    std::size_t tracks = 0;
    std::vector<std::string> errors;
    std::vector<std::string> notices;
    // A retailer page without tracks while adding an album not in the
    // drive: the number-of-tracks prompt follows (askTrackCount).
    bool askTrackCount = false;
    // The artist became kVariousArtist and is selected, so that typing
    // replaces it.
    bool artistSelected = false;
};

// A plain list, one title per non-blank line. AddOther: the rows become one
// per line. AddFromDrive: the titles go into the disc's rows in order;
// lines past the last row are lost, rows past the last line keep theirs.
// Modify: only when the lines are exactly as many as the rows (else the
// count error and no change). In the new-album modes the artist becomes
// kVariousArtist, selected.
TrackListResult readPlainList(const std::vector<std::string>& lines, EditMode mode, AlbumEntry& entry);

// A numbered list with a time at the end of each line ("1. Title 3:45").
// Lines that begin with a number and a "." are tracks 1, 2, ... in order
// (the page's own numbers are not read); the time and the blank or dash before
// it leave the title, and "Title performed by A/B" becomes "A,B / Title".
// The times fill the length column when adding an album not in the drive,
// and when modifying with `useTimes` (the album's current track has no
// stored length); a single track line without a time leaves the lengths as
// they were. Otherwise rows keep their lengths: a disc's are exact. In the
// new-album modes the artist becomes kVariousArtist, selected.
TrackListResult readTimedList(const std::vector<std::string>& lines, EditMode mode, bool useTimes,
                              AlbumEntry& entry);

// A numbered list whose titles may run on over the next lines ("1. Long
// title that" / "continues here"). A line is track n when it begins with
// the one or two digits n (> 0) and a "."; any other line after the first
// track is appended to the current track's title. AddOther grows the rows
// to the highest number; the other modes fill the rows they have. In the
// new-album modes the artist becomes kVariousArtist, selected.
TrackListResult readContinuedList(const std::vector<std::string>& lines, EditMode mode, AlbumEntry& entry);

// A retailer's product page: an "Artist:" line (the new-album modes take
// the artist; one beginning with "Various" becomes kVariousArtist and makes
// the titles "Singer / Song" from "Song - Singer"), then the album line
// ("Album - ...", the new-album modes take the album), then after "Track
// Listings:" the entries "N. Title" (also "Disc 1 Track 12. Title") up to
// "Additional Notes", ordered by their number. No entry: the notice
// kNoTrackDataMessage, and when adding an album not in the drive
// askTrackCount.
TrackListResult readRetailerPage(const std::vector<std::string>& lines, EditMode mode, AlbumEntry& entry);

}  // namespace lookup
