#include "maintenance/file_maintenance.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <system_error>

#include <QString>

#include "catalogue/program_files.h"
#include "common/ansi_text.h"
#include "maintenance/reindex.h"
#include "settings/default_settings.h"

namespace maintenance {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kCopyQuestion = "Now copy it to a floppy or other drive for safekeeping?";
constexpr std::string_view kChooseFolderText = "Please select destination drive and directory";
constexpr std::string_view kFolderCaption = "Current folder:";
constexpr std::string_view kCopySuffix = ".new";

// A path as the file system spells it (UTF-8), in message text.
std::string messageText(const std::string& path) { return common::toAnsi(QString::fromStdString(path)); }

// Both name one folder, whatever the spelling (links, "..", a trailing
// separator). Letter case counts: on Linux it makes another folder.
bool sameFolder(const std::string& a, const std::string& b)
{
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

void syncFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    if (!synced)
        throw fs::filesystem_error(std::strerror(error), path, std::error_code(error, std::generic_category()));
}

}  // namespace

std::vector<platform::ZipMember> FileMaintenance::archiveMembers(const std::string& programDir)
{
    std::vector<platform::ZipMember> members;
    for (const std::string_view name : std::initializer_list<std::string_view>{
             "Artists.dbf", "Albums.dbf", "Albums.fpt", "Tracks.dbf", "Playlist.dbf", settings::kFileName})
        members.push_back({std::string(name), catalogue::filePathNoCase(programDir, name)});
    return members;
}

void FileMaintenance::run()
{
    bool reindexed = false;
    std::vector<std::string> notices;
    runStep_(std::string(kMaintenanceText), true, [&](common::Progress& progress) {
        reindexed = reindexCatalogue(catalogue_, &progress, &notices);
    });
    // Before the archive question: the archive may hold the notes now lost.
    for (const std::string& notice : notices)
        prompter_.info(notice);
    const std::string archive = catalogue::joinPath(catalogue_.programDir(), kArchiveName);
    if (reindexed && prompter_.confirm(std::string(kArchiveQuestion)) && updateArchive(archive))
        offerCopy(archive);
    catalogue_.status("");
}

bool FileMaintenance::updateArchive(const std::string& archive)
{
    const std::string label = "Creating/Updating " + messageText(archive) + " compressed archive";
    catalogue_.status(label);
    bool updated = false;
    runStep_(label, true, [&](common::Progress& progress) {
        const platform::ZipProgress watch{
            [&progress](std::size_t done, std::size_t total) { progress.advance(done, total); },
            [&progress] { return progress.cancelRequested(); }};
        updated = zip_.update(archive, archiveMembers(catalogue_.programDir()), watch);
    });
    return updated;
}

void FileMaintenance::offerCopy(const std::string& archive)
{
    const std::uintmax_t size = fs::file_size(archive);
    catalogue_.status("");
    if (!prompter_.confirm("Created/Updated Zip archive file: " + messageText(archive) + ".\r(" +
                           std::to_string(size) + " bytes)\r" + std::string(kCopyQuestion)))
        return;
    catalogue_.status(std::string(kChooseFolderText));
    std::optional<std::string> folder =
        prompter_.chooseFolder(std::string(kFolderCaption), catalogue_.programDir());
    if (!folder)
        return;
    if (!folder->ends_with('/'))
        folder->push_back('/');
    if (sameFolder(*folder, catalogue_.programDir())) {
        prompter_.error(std::string(kSameFolderText));
        return;
    }
    catalogue_.status("Copying archive file for safekeeping to " + messageText(*folder));
    copyArchive(archive, *folder);
}

// Written beside and renamed over an older copy, so that a failure never
// leaves half an archive under its name.
void FileMaintenance::copyArchive(const std::string& archive, const std::string& folder)
{
    const std::string target = folder + std::string(kArchiveName);
    const std::string beside = target + std::string(kCopySuffix);
    try {
        runStep_("Copying archive file for safekeeping to " + messageText(folder), false, [&](common::Progress&) {
            fs::copy_file(archive, beside, fs::copy_options::overwrite_existing);
            syncFile(beside);
            fs::rename(beside, target);
            catalogue::syncDirectory(folder);
        });
    } catch (const fs::filesystem_error& e) {
        std::error_code ignored;
        fs::remove(beside, ignored);
        prompter_.error("The archive could not be copied to " + messageText(target) + "\r" + e.code().message());
    }
}

}  // namespace maintenance
