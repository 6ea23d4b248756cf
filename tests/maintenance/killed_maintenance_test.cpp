// A program killed at any instant of file maintenance (the packs and index
// builds of the four tables) or of the backup leaves a collection that
// opens with every album, sound indexes, and the backup archive whole.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

#include "maintenance/file_maintenance.h"
#include "maintenance/reindex.h"
#include "platform/zip/libzip_updater.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr std::time_t kBase = 1767348000;

std::set<std::string> liveAlbums(catalogue::Catalogue& catalogue)
{
    std::set<std::string> ids;
    xbase::Table& albums = catalogue.albums()->table();
    for (std::uint32_t r = 1; r <= albums.recordCount(); ++r)
        if (!albums.isDeleted(r))
            ids.insert(albums.fieldText(albums.record(r), albums.fieldIndex("ID")));
    return ids;
}

// Reindexes and backs up, again and again, until killed. Each round dates
// the files later, so that every backup stores them all afresh.
[[noreturn]] void maintainUntilKilled(const std::string& dir)
{
    try {
        catalogue::Catalogue catalogue(dir);
        catalogue.createMissingFilesAndOpenViews();
        platform::LibzipUpdater zip;
        const auto members = maintenance::FileMaintenance::archiveMembers(dir);
        for (std::time_t round = 1;; ++round) {
            maintenance::reindexCatalogue(catalogue);
            for (const platform::ZipMember& member : members) {
                const struct timespec times[2] = {{kBase + round * 10, 0}, {kBase + round * 10, 0}};
                ::utimensat(AT_FDCWD, member.path.c_str(), times, 0);
            }
            zip.update(dir + "/CDbackup.zip", members, {});
        }
    } catch (...) {
        ::_exit(1);
    }
}

TEST(KilledMaintenance, TheCollectionOpensWithEveryAlbumAndTheArchiveIsWhole)
{
    constexpr int kRuns = 16;
    std::set<std::string> albums;
    std::size_t tracks = 0;
    int archived = 0;  // runs killed after a first backup
    for (int run = 0; run < kRuns; ++run) {
        test_support::TempDir dir;
        test_support::copyFixtureSet("xbase/small", dir.path());
        if (run == 0) {
            catalogue::Catalogue catalogue(dir.path());
            catalogue.createMissingFilesAndOpenViews();
            albums = liveAlbums(catalogue);
            tracks = catalogue.allTracks()->count();
        }
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            maintainUntilKilled(dir.path());
        // From the start-up to a few rounds in.
        std::this_thread::sleep_for(std::chrono::microseconds(run * 75013));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself, status " << status;

        const std::string context = "run " + std::to_string(run);
        catalogue::Catalogue catalogue(dir.path());
        ASSERT_NO_THROW(catalogue.createMissingFilesAndOpenViews()) << context;
        EXPECT_EQ(liveAlbums(catalogue), albums) << context;
        EXPECT_EQ(catalogue.allTracks()->count(), tracks) << context;
        for (const char* table : {"ALBUMS.DBF", "TRACKS.DBF", "PLAYLIST.DBF", "ARTISTS.DBF"}) {
            test_support::runCapture(std::string(VINORA_DBF_TOOL) + " check '" + dir.file(table) + "'", &status);
            EXPECT_EQ(status, 0) << context << ", " << table;
        }
        if (fs::exists(dir.file("CDbackup.zip"))) {
            ++archived;
            test_support::runCapture("unzip -tq '" + dir.file("CDbackup.zip") + "'", &status);
            EXPECT_EQ(status, 0) << context;
        }
        if (HasFailure())
            return;
    }
    EXPECT_GT(archived, 0) << "the kills never reached a backup";
}

}  // namespace
