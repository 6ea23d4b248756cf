#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lookup/album_entry.h"

namespace lookup {

// What a pasted xmcd entry gave besides the form's fields.
struct PastedEntryOutcome {
    // The entry got as far as its titles and had a disc title: the form
    // holds it. Otherwise the text is not an entry ("Invalid XCMD format").
    bool accepted = false;
    // The DISCID (8 hexadecimal digits, lower-cased), when one was read.
    std::optional<std::string> discId;
    // Whether the identifier should be looked up in the catalogue (not when
    // modifying an album).
    bool checkCatalogue = false;
    // The "Disc length:" in seconds, when one was read.
    std::optional<long> discLength;
};

// Reads an xmcd entry copied from a web page, `lines` being the pasted text
// split into lines. A scanner in stages (offsets, disc length, header,
// titles) that looks for a few keys and skips every other line, and every
// line whose number or identifier does not read as one.
//
// In the new-album modes it fills artist and album (from DTITLE), genre and
// year as written, the revision as its decimal text, and one track row per
// TTITLE with its number ("01"), title (first line only, trimmed) and length
// from the offsets; the row count follows the TTITLE numbers (at most 99
// tracks). When accepted there, `mode` becomes AddFromDrive, so the album is
// stored under the DISCID. When modifying, only the number and title of
// rows the form already has change.
PastedEntryOutcome readPastedLines(const std::vector<std::string>& lines, EditMode& mode, AlbumEntry& entry);

}  // namespace lookup
