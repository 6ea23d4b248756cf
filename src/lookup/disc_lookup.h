#pragma once

#include <string>

#include <QObject>

#include "common/lookup_state.h"
#include "lookup/album_entry.h"
#include "lookup/cddb_exchange_runner.h"

namespace lookup {

// How a disc lookup ended, as the Add-CD flow goes on from it.
struct DiscLookupOutcome {
    CddbOutcome outcome = CddbOutcome::Completed;
    // The server does not know the disc: the web import comes next.
    bool notFound = false;
    // The handshake succeeded: the edit form is to be shown with `entry`.
    bool showEditForm = false;
    // Why the server refused or the exchange failed, for the user; "" when
    // there is nothing to show (always after Cancel).
    std::string failureMessage;
    // The form's content: the entry read, or else the reset fields and the
    // default track rows.
    AlbumEntry entry;
};

// `entry` reset for the disc whose TOC and identifier `state` holds: genre
// `defaultGenre`, no year, no notes, revision "0", one row per track ("  1",
// its length from the TOC, "Track 1"); the artist and album stay as they
// are. Sets state.runningSeconds to the disc length.
// Requires: state.currentToc.trackCount > 0.
AlbumEntry discEntry(AlbumEntry entry, common::LookupState& state, const std::string& defaultGenre);

// The lookup step of adding the CD in the drive: prepares the form's entry
// from the disc's TOC, asks the CDDB server about the disc through the
// runner and takes over only an entry read whole. The runner reports the
// steps (statusChanged) and asks its chooser among several matches.
class DiscLookup : public QObject {
    Q_OBJECT
public:
    // `runner` and `state` must outlive this object.
    DiscLookup(CddbExchangeRunner& runner, common::LookupState& state, QObject* parent = nullptr);

    // Starts the lookup for discEntry(entry, state, defaultGenre). False,
    // changing nothing, while the runner is busy.
    // Requires: state.currentToc.trackCount > 0, state.currentAlbumId set.
    bool start(AlbumEntry entry, const std::string& defaultGenre);

signals:
    void finished(const lookup::DiscLookupOutcome& outcome);

private:
    void takeResult(const CddbLookupResult& result);

    CddbExchangeRunner& runner_;
    common::LookupState& state_;
    // Set between start() and the runner's answer: the runner also serves
    // exchanges that others start.
    bool running_ = false;
    AlbumEntry entry_;
};

}  // namespace lookup
