#pragma once

#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "catalogue/status_report.h"
#include "common/progress.h"

namespace playback {

inline constexpr std::string_view kCreatingViewTableText = "Creating View table, please wait...";
inline constexpr std::string_view kCreatingViewIndexText = "Creating View index, please standby...";

// Makes the tracks view's work table TVIEW.DBF and its index when they are
// missing: one row per ARTISTS entry of an existing album, in artist order.
// An entry with a blank NR lists every track of its album (whole titles);
// one with a track number lists that track, titled with the text after the
// first " / " of "Artist / Title". An entry whose track is gone lists
// nothing. A kept table whose index is missing (or lacks a tag) gets only
// its index.
class TracksViewBuilder {
public:
    enum class Outcome { Ready, Cancelled };

    // `catalogue` and `status` must outlive this object.
    TracksViewBuilder(catalogue::Catalogue& catalogue, catalogue::StatusReport status);

    // Whether build() has anything to do. Requires: the view closed.
    bool needsWork() const;

    // Makes what is missing. The work table is built first, reporting its
    // ARTISTS rows to `progress`, then each tag ("Creating Album tag" ...),
    // reporting the tags done. A cancel or a failure leaves no half-built
    // file behind (the next opening starts again), and a kill no half-built
    // table under its name. Requires: the view closed; the catalogue's
    // tables are not written meanwhile. Throws xbase::XbaseError.
    Outcome build(common::Progress& progress);

private:
    Outcome buildTable(common::Progress& progress);
    // False when cancelled.
    bool fillTable(xbase::Table& out, common::Progress& progress);
    Outcome buildIndex(common::Progress& progress);
    std::string tablePath() const;
    std::string indexPath() const;
    void removeIndexFile() const;

    catalogue::Catalogue& catalogue_;
    catalogue::StatusReport status_;
};

}  // namespace playback
