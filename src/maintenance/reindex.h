#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "common/progress.h"
#include "xbase/table.h"

namespace maintenance {

inline constexpr std::string_view kMaintenanceText = "Performing file maintenance, please wait ...";

// Packs every catalogue table and builds its indexes afresh:
//  1. status "Performing file maintenance, please wait ..."; the tracks
//     view's work table (TVIEW) is closed and deleted; a change of several
//     tables left unfinished is rolled back first, since a pack renumbers
//     the rows it kept;
//  2. the current album's ID and the order of albums are remembered;
//  3. ALBUMS, TRACKS, PLAYLIST, ARTISTS in turn: the views on it close,
//     it opens exclusively, its index is emptied, the table packed, its tags
//     built from the catalogue's tag list ("Creating Index File for: " +
//     name), and the views open again;
//  4. albums stands on the remembered album (the first row when it is
//     gone) in the remembered order; allTracks and albumLookup are open, as
//     after start-up; the status is cleared.
// An index so damaged that the table cannot be opened with it is deleted
// first; nothing is ever read from the old index's tags.
// `progress`, when given, hears of the records packed and indexed of all
// four tables; a cancel is taken between two tables (those done stay done,
// the rest as they were) and step 4 follows. Returns false when cancelled.
// Notes that lay past the end of a damaged memo file are left empty; what
// the user must hear of that goes to `notices`, when given.
// Requires: no cursor outside the catalogue's views on the four tables.
// Throws xbase::XbaseError where a step fails (for example a table another
// program has open); the views of the tables not yet done stay closed.
bool reindexCatalogue(catalogue::Catalogue& catalogue, common::Progress* progress = nullptr,
                      std::vector<std::string>* notices = nullptr);

// What the user is told when a pack of the table at `tablePath` left notes
// empty that lay past the end of its damaged memo file.
std::string lostNotesNotice(const std::string& tablePath, const xbase::Table::PackLosses& losses);

}  // namespace maintenance
