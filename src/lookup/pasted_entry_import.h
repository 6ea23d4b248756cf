#pragma once

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "common/lookup_state.h"
#include "lookup/album_entry.h"
#include "lookup/error_box.h"

namespace lookup {

inline const std::string kInvalidEntryMessage = "Invalid XCMD format";
inline const std::string kAlreadyCataloguedMessage =
    "An album with this calculated ID already exists\rand will be highlighted";

// The pasted-entry reader as the web import window runs it: reads `lines`
// into `entry` (see readPastedLines), sets currentAlbumId from the DISCID
// and runningSeconds from the disc length as soon as they are read, and
// then either shows kInvalidEntryMessage (the import goes on with what was
// read) or, when the entry's identifier is already in ALBUMS (checked
// unless modifying), shows kAlreadyCataloguedMessage, makes that album
// current in albums and returns true: the import ends there without the
// edit form.
bool readPastedEntry(const std::vector<std::string>& lines, EditMode& mode, AlbumEntry& entry,
                     common::LookupState& state, catalogue::Catalogue& catalogue, const ErrorBox& showError);

}  // namespace lookup
