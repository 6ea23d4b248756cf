#pragma once

#include <functional>
#include <optional>
#include <string>

#include "catalogue/catalogue.h"
#include "common/program_state.h"
#include "common/prompter.h"
#include "lookup/album_form.h"
#include "lookup/cd_drive.h"
#include "lookup/cd_finder.h"
#include "lookup/cddb_exchange_runner.h"
#include "lookup/disc_lookup.h"
#include "lookup/exchange_wait.h"
#include "lookup/freedb_submission.h"
#include "lookup/musicbrainz_lookup.h"
#include "platform/cd_access.h"

namespace lookup {

inline const std::string kNoCdMessage = "There does not seem to be a CD in the drive";
inline const std::string kCdInCollectionMessage =
    "This CD is already in your Collection.\rPlease use the MODIFY button instead!";
inline const std::string kNotInOnlineDatabaseMessage = "This album not found in remote database.";
inline const std::string kContributeQuestion = "OK to contribute album info to Freedb?";

// What adding the CD in the drive works with; everything must outlive the
// flow.
struct AddCdParts {
    platform::CdAccess& access;
    CddbExchangeRunner& cddb;
    MusicBrainzLookup& musicBrainz;
    FreedbSubmission& submission;
    AlbumForm& form;
    ExchangeWait& wait;
    // The main window's status line ("" when idle).
    std::function<void(const std::string&)> showStatus;
    CdDrive::Pause pause = {};
};

// "Add CD": the audio CD in the drive (CDPath, DriveNr) becomes a new album.
// A disc already catalogued is refused before any server is asked. Else the
// form is reset with the disc's tracks and the online databases the Lookup
// setting names are asked in its order, the next one when a database does
// not know the disc or cannot be reached; what the first to know it says
// fills the form, which shows (a MusicBrainz release with its front cover
// when the user wants it). A disc none knows goes to the web import
// (Prompter::Window::WebImport) and, once saved with real track titles from
// the user or the online database, may be contributed to the CDDB database.
// The exchanges run off the window thread; the user can stop them.
class AddCdFlow {
public:
    // `state`, `prompter` and `catalogue` must outlive the flow.
    AddCdFlow(common::ProgramState& state, common::Prompter& prompter, catalogue::Catalogue& catalogue,
              AddCdParts parts);

    // Runs the whole flow, returning when it ended. Throws
    // xbase::XbaseError when the catalogue cannot be read.
    void run();

private:
    // How asking one database ended.
    struct Asked {
        enum class Ending { Shown, Unknown, Failed, Stopped };
        Ending ending;
        std::string message;  // Failed: why, for the user
    };

    Asked askCddb(const AlbumEntry& reset);
    Asked askMusicBrainz(AlbumEntry disc);
    // The lookup's outcome; nothing when the user stopped an earlier
    // exchange the lookup waited for.
    std::optional<DiscLookupOutcome> lookUp(const AlbumEntry& entry);
    void addUnknownDisc(AlbumEntry entry);
    bool offersContribution();
    void contribute();

    common::ProgramState& state_;
    common::Prompter& prompter_;
    catalogue::Catalogue& catalogue_;
    AddCdParts parts_;
    CdDrive drive_;
    CdFinder finder_;
    DiscLookup discLookup_;
};

}  // namespace lookup
