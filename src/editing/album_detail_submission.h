#pragma once

#include <string>

#include "catalogue/catalogue.h"
#include "common/program_state.h"
#include "common/prompter.h"
#include "lookup/cd_drive_commands.h"
#include "lookup/exchange_wait.h"
#include "lookup/freedb_submission.h"

namespace editing {

// The detail view's way to the online database: an album whose data the
// user typed or took from the database itself goes back to it, once its
// disc is in the drive and its titles are real; data from commercial pages
// never does.
class AlbumDetailSubmission {
public:
    enum class Outcome { Refused, Ended };

    inline static const std::string kRefusalCaption = "This album cannot be submitted to remote database";
    inline static const std::string kRefusalText =
        "\rIn order to be in compliance with the Terms of Use \rof commercial sites, we can only process \r"
        "submission of data, or updates thereto, from data \ryou originally either entered manually or obtained \r"
        "from the freedb database  (https://gnudb.org).\r\rThe record for this album indicates the data was \r"
        "originally obtained from a commercial site.";
    inline static const std::string kPlaceholderTitlesMessage =
        "ACTUAL data must be entered for Album, Artist,\rAND Tracks (e.g. default \"Track 1\" is not accepted";

    // Everything handed in must outlive this object.
    AlbumDetailSubmission(catalogue::Catalogue& catalogue, common::ProgramState& state, common::Prompter& prompter,
                          lookup::CdDriveCommands& drive, lookup::FreedbSubmission& submission,
                          lookup::ExchangeWait& wait);

    // For the current album of albums: Refused, telling nothing, when its
    // Sys is not "F", "M" or "O" (an empty one included: where its data
    // came from is unknown). Otherwise makes the disc in the drive (CDPath,
    // DriveNr) the current album, checks its first title, asks the user
    // and runs the submission to its end; every stop is told through the
    // prompter. Throws xbase::XbaseError when the catalogue cannot be read.
    Outcome run();

private:
    catalogue::Catalogue& catalogue_;
    common::ProgramState& state_;
    common::Prompter& prompter_;
    lookup::FreedbSubmission& submission_;
    lookup::ExchangeWait& wait_;
    lookup::CdDriveCommands& drive_;
};

}  // namespace editing
