#pragma once

#include <string_view>

#include "app/startup_target.h"
#include "catalogue/catalogue.h"
#include "common/program_state.h"
#include "common/prompter.h"
#include "lookup/category_source.h"
#include "lookup/disc_in_drive.h"

namespace app {

inline constexpr std::string_view kCaptionPrefix = " Vinora - ";
inline constexpr std::string_view kCdAccessMissingText =
    "ASPI driver missing or not installed properly!\rFrom the main screen click on the Question Mark button\r"
    "and go to the Troubleshooting section of the help page\rto see where to download the FREE driver.  "
    "Otherwise\ryou will be unable to Auto Add new discs to your Collection,\ryou will have to enter the info "
    "manually";

// After the unreadable settings file's own message.
inline constexpr std::string_view kDefaultSettingsText = "\rThis run uses the default settings.";

// What runs once, when the main window has first been shown:
//  1. catalogue files and indexes made where missing, every view opened
//     (a long step, its progress in the status bar); what the catalogue
//     tells the user on the way (a file set aside, notes lost) is shown in
//     message boxes once the step is over;
//  2. the settings file created with defaults when missing or empty (then
//     the shipped tips file is copied in: the first run); a file that
//     cannot be read or written is an error box, and the run goes on with
//     the default settings;
//  3. caption " Vinora - " + the collection's name;
//  4. the settings read; window maximized unless WState is 1; tooltips on
//     or off by Hint;
//  5. the genre list, sorted; the official list; media; when the file has
//     no genres and a CategorySource is given, the server's categories are
//     asked for and join the list when they come, the sequence going on;
//  6. Delete, Modify and Playlist by whether ALBUMS has a row; status
//     bar cleared;
//  7. with a DiscInDrive only: a missing CD access layer is an error box,
//     Add CD is disabled and the sequence ends here;
//  8. with a DiscInDrive only, in a non-empty collection: the album of the
//     audio disc in the drive becomes current (ID order seek, back to
//     Artist order); an audio disc without a readable identifier, or one
//     not catalogued, leaves the first album current;
//  9. the tip of the day when Vinoratips.txt's first line is "True";
// 10. the window finishes (order title, focus).
// Engine errors are not caught: the step under way ends the sequence.
class StartupSequence {
public:
    StartupSequence(common::ProgramState& state, catalogue::Catalogue& catalogue, StartupTarget& target,
                    common::Prompter& prompter)
        : state_(state), catalogue_(catalogue), target_(target), prompter_(prompter)
    {
    }

    // Seams for the drive and the lookup client; null leaves their steps out.
    void setDiscInDrive(lookup::DiscInDrive* drive) { drive_ = drive; }
    void setCategorySource(lookup::CategorySource* source) { categories_ = source; }

    void run();

private:
    void openCatalogue();
    void loadLists();
    void requestCategories();
    void makeDiscAlbumCurrent();

    common::ProgramState& state_;
    catalogue::Catalogue& catalogue_;
    StartupTarget& target_;
    common::Prompter& prompter_;
    lookup::DiscInDrive* drive_ = nullptr;
    lookup::CategorySource* categories_ = nullptr;
};

}  // namespace app
