#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "common/prompter.h"
#include "maintenance/long_step_runner.h"

namespace maintenance {

inline constexpr std::string_view kDeleteQuestion =
    "Are you sure you want to delete the highlighted album\rand its linked tracks from your collection?";
inline constexpr std::string_view kDeletingText = "Deleting highlighted album, please wait ...";

// Deletes the current album with its tracks, marks and artist rows:
//  1. asks kDeleteQuestion (OK, Cancel); anything but OK ends here;
//  2. status kDeletingText; the tracks view's work table is deleted;
//  3. in one long step: the album's rows of TRACKS, PLAYLIST, ARTISTS and
//     its ALBUMS row are marked deleted all or nothing (a RollbackJournal
//     keeps them first; a change left unfinished earlier is rolled back
//     before), then each table is packed in that order and its views
//     opened again; the four tables are flushed;
//  4. albums stands on its first row in its order; the status is cleared.
// The window refreshes its grids and buttons afterwards.
class AlbumDeletion {
public:
    AlbumDeletion(catalogue::Catalogue& catalogue, common::Prompter& prompter, LongStepRunner runStep)
        : catalogue_(catalogue), prompter_(prompter), runStep_(std::move(runStep))
    {
    }

    // Returns whether the album was deleted (false at once when albums
    // stands on none). Throws xbase::XbaseError where a step fails; when the marking
    // failed, the tables are as they were (or their journal stays for the
    // next start, when even that failed).
    bool run();

private:
    void markDeleted(const std::string& id);
    // Returns what the user must be told of notes the packs could not keep.
    std::vector<std::string> packAll(common::Progress& progress);

    catalogue::Catalogue& catalogue_;
    common::Prompter& prompter_;
    LongStepRunner runStep_;
};

}  // namespace maintenance
