#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "common/prompter.h"
#include "maintenance/long_step_runner.h"
#include "platform/zip_updater.h"

namespace maintenance {

inline constexpr std::string_view kArchiveName = "CDbackup.zip";
inline constexpr std::string_view kArchiveQuestion = "File maintenance completed\rNow create/update Zip archive file?";
inline constexpr std::string_view kSameFolderText = "Source and Destination Folders may NOT be the same";

// "Reindex": packs and reindexes the catalogue, then offers to bring the
// backup archive up to date and to copy it to another folder:
//  1. the reindex (reindexCatalogue) as a long step that may be cancelled
//     between tables; a cancel ends the flow there;
//  2. asks kArchiveQuestion; on Yes, status "Creating/Updating <archive>
//     compressed archive" and the archive in the program directory is
//     brought up to date (archiveMembers(), ZipUpdater's rule) as a long
//     step that may be cancelled (the archive is then as it was, and the
//     flow ends);
//  3. asks "Created/Updated Zip archive file: <archive>.\r(<N> bytes)\rNow
//     copy it to a floppy or other drive for safekeeping?"; on Yes, status
//     "Please select destination drive and directory" and a folder chooser
//     ("Current folder:"). A chosen folder that is the program directory
//     (as the file system resolves both) gives kSameFolderText; another gets
//     a copy of the archive under its name, written beside and renamed
//     over an older one, status "Copying archive file for safekeeping to
//     <folder>/"; a copy that fails is reported;
//  4. clears the status. The window refreshes its grids and buttons.
class FileMaintenance {
public:
    FileMaintenance(catalogue::Catalogue& catalogue, common::Prompter& prompter, platform::ZipUpdater& zip,
                    LongStepRunner runStep)
        : catalogue_(catalogue), prompter_(prompter), zip_(zip), runStep_(std::move(runStep))
    {
    }

    // Throws xbase::XbaseError where the reindex fails or the copy's folder
    // cannot be synced, platform::ZipError where the archive does,
    // std::filesystem::filesystem_error when the archive is missing
    // afterwards.
    void run();

    // The archive's members, in their order: "Artists.dbf", "Albums.dbf",
    // "Albums.fpt", "Tracks.dbf", "Playlist.dbf", "Vinora.ini", from their
    // files in `programDir` (any case).
    static std::vector<platform::ZipMember> archiveMembers(const std::string& programDir);

private:
    // Whether the archive was brought up to date.
    bool updateArchive(const std::string& archive);
    void offerCopy(const std::string& archive);
    void copyArchive(const std::string& archive, const std::string& folder);

    catalogue::Catalogue& catalogue_;
    common::Prompter& prompter_;
    platform::ZipUpdater& zip_;
    LongStepRunner runStep_;
};

}  // namespace maintenance
