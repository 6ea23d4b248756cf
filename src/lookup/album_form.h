#pragma once

#include "lookup/album_entry.h"

namespace lookup {

// The album edit form as the add flows and the web import see it: one form
// for the run, whose contents stay from one opening to the next (an add that
// finds nothing keeps the artist and album typed last).
class AlbumForm {
public:
    virtual ~AlbumForm() = default;

    // The reset before every new album: `mode` and its caption; label,
    // media, index, notes and year emptied; the genre the default one;
    // revision "0"; source "F". Artist, album and tracks stay.
    virtual void resetForNewEntry(EditMode mode) = 0;
    virtual EditMode mode() const = 0;
    virtual AlbumEntry entry() const = 0;
    // The entry and the mode (a pasted entry with a DISCID switches an
    // album not in the drive to the drive's mode).
    virtual void setEntry(const AlbumEntry& entry, EditMode mode) = 0;
    // Where the data came from (catalogue::source), stored in Sys.
    virtual char source() const = 0;
    virtual void setSource(char source) = 0;
    // Whether the artist is selected when the form shows, so that typing
    // replaces it.
    virtual void selectArtistOnShow(bool select) = 0;
    // Shows the form modally; true when the album was saved.
    virtual bool show() = 0;
};

}  // namespace lookup
