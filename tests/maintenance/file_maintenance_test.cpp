// File maintenance as the user answers it: the archive that unzip checks
// and that restores into a working collection, the update rule over several
// runs, the copy and the folders it refuses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sstream>

#include "maintenance/file_maintenance.h"
#include "maintenance/reindex.h"
#include "maintenance_fixture.h"
#include "platform/zip/libzip_updater.h"
#include "support/fixture_files.h"

namespace {

namespace fs = std::filesystem;
using Kind = test_support::ScriptedPrompter::Kind;
using Texts = std::vector<std::string>;

// unzip's listing of the members without their dates: length, method,
// size, CRC, name.
Texts listing(const std::string& archive)
{
    std::istringstream out(test_support::runCapture("unzip -v '" + archive + "'"));
    Texts rows;
    for (std::string line; std::getline(out, line);) {
        std::istringstream fields(line);
        std::string length, method, size, ratio, date, time, crc, name;
        if (fields >> length >> method >> size >> ratio >> date >> time >> crc >> name && method.starts_with("Defl"))
            rows.push_back(length + " " + method + " " + size + " " + crc + " " + name);
    }
    return rows;
}

std::string nameOf(const std::string& row) { return row.substr(row.rfind(' ') + 1); }

class FileMaintenance : public testing::Test, protected test_support::MaintenanceFixture {
protected:
    void SetUp() override
    {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    void answer(std::vector<bool> confirms, std::optional<std::string> folder = std::nullopt)
    {
        for (bool yes : confirms)
            prompter.answerConfirm(yes);
        if (folder)
            prompter.answerFolder(folder);
    }
    void runMaintenance() { maintenance::FileMaintenance(catalogue, prompter, zip, runner()).run(); }

    platform::LibzipUpdater zip;
    std::string archive = dir.file("CDbackup.zip");
};

TEST_F(FileMaintenance, TheArchiveChecksRestoresIntoAWorkingCollectionAndIsCopiedToTheChosenFolder)
{
    test_support::TempDir elsewhere, restored;
    answer({true, true}, elsewhere.path());
    runMaintenance();

    const std::string size = std::to_string(fs::file_size(archive));
    EXPECT_EQ(prompter.texts(Kind::Confirm),
              (Texts{std::string(maintenance::kArchiveQuestion), "Created/Updated Zip archive file: " + archive +
                                                                     ".\r(" + size +
                                                                     " bytes)\rNow copy it to a floppy or other "
                                                                     "drive for safekeeping?"}));
    EXPECT_EQ(stepLabels, (Texts{std::string(maintenance::kMaintenanceText),
                                 "Creating/Updating " + archive + " compressed archive",
                                 "Copying archive file for safekeeping to " + elsewhere.path() + "/"}));
    EXPECT_EQ(stepStoppable, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(test_support::readFile(elsewhere.file("CDbackup.zip")), test_support::readFile(archive));

    Texts names;
    for (const std::string& row : listing(archive)) {
        EXPECT_TRUE(row.find(" Defl:X ") != std::string::npos) << row;
        names.push_back(nameOf(row));
    }
    EXPECT_EQ(names, (Texts{"Artists.dbf", "Albums.dbf", "Albums.fpt", "Tracks.dbf", "Playlist.dbf", "Vinora.ini"}));
    int status = -1;
    test_support::runCapture("unzip -tq '" + archive + "'", &status);
    EXPECT_EQ(status, 0);

    test_support::runCapture("unzip -q '" + archive + "' -d '" + restored.path() + "'", &status);
    ASSERT_EQ(status, 0);
    catalogue::Catalogue copy(restored.path());
    copy.createMissingFilesAndOpenViews();
    EXPECT_EQ(copy.albums()->count(), catalogue.albums()->count());
    EXPECT_EQ(copy.allTracks()->count(), catalogue.allTracks()->count());
    // An independent reader agrees, memos included.
    const std::string counts = test_support::runCapture(
        "cd '" + restored.path() + "' && /usr/bin/python3 -c \"import dbf\n"
        "for name in ('Albums', 'Tracks', 'Artists', 'Playlist'):\n"
        "    t = dbf.Table(name + '.dbf', codepage='cp1252'); t.open(dbf.READ_ONLY)\n"
        "    print(name, len(t), sum(len(r.notes or '') for r in t) if name == 'Albums' else '')\"");
    std::ostringstream expected;
    expected << "Albums " << catalogue.albums()->count() << " ";
    EXPECT_TRUE(counts.starts_with(expected.str())) << counts;
    EXPECT_EQ(std::count(counts.begin(), counts.end(), '\n'), 4) << counts;
}

TEST_F(FileMaintenance, NoLeavesTheArchiveAloneAndOnlyChangedFilesAreStoredAgain)
{
    answer({true, false});
    runMaintenance();
    const Texts first = listing(archive);
    const std::string bytes = test_support::readFile(archive);
    const auto when = fs::last_write_time(archive);

    answer({false});
    runMaintenance();
    EXPECT_EQ(test_support::readFile(archive), bytes);
    EXPECT_EQ(fs::last_write_time(archive), when);

    answer({true, false});
    runMaintenance();
    EXPECT_EQ(listing(archive), first) << "a run without changes stores the same members";

    ASSERT_TRUE(catalogue.albumLookup()->goToRecord(2));
    catalogue.albumLookup()->deleteRow();
    answer({true, false});
    runMaintenance();
    const Texts now = listing(archive);
    ASSERT_EQ(now.size(), first.size());
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (nameOf(now[i]) == "Albums.dbf") {
            EXPECT_NE(now[i], first[i]);
        } else if (!nameOf(now[i]).starts_with("Albums")) {  // the memos may lose the album's notes
            EXPECT_EQ(now[i], first[i]);
        }
    }
}

TEST_F(FileMaintenance, TheProgramDirectoryIsRefusedHoweverItIsSpelledAndAFailedCopyIsReported)
{
    fs::create_directory_symlink(dir.path(), dir.path() + "-link");
    const Texts spellings{dir.path(), dir.path() + "/", dir.path() + "/./", dir.path() + "-link"};
    for (const std::string& folder : spellings)
        answer({true, true}, folder);
    const std::string missing = dir.path() + "/gone";
    answer({true, true}, missing);
    for (std::size_t run = 0; run <= spellings.size(); ++run)
        runMaintenance();
    fs::remove(dir.path() + "-link");

    Texts expected(spellings.size(), std::string(maintenance::kSameFolderText));
    expected.push_back("The archive could not be copied to " + missing + "/CDbackup.zip\rNo such file or directory");
    EXPECT_EQ(prompter.texts(Kind::Error), expected);
    EXPECT_FALSE(fs::exists(dir.file("CDbackup.zip.new")));
}

TEST_F(FileMaintenance, ACancelledReindexAsksNothingMore)
{
    progress.cancel = true;
    const std::size_t albums = catalogue.albums()->count();
    runMaintenance();
    EXPECT_TRUE(prompter.requests().empty());
    EXPECT_FALSE(fs::exists(archive));
    EXPECT_EQ(catalogue.albums()->count(), albums);
    EXPECT_TRUE(catalogue.currentAlbumTracks().isOpen());
}

}  // namespace
