// Loading and saving an album's marks on the small reference collection:
// the dialog's lists from TRACKS and PLAYLIST, the rewrite of PLAYLIST, and
// saves that fail part-way.
#include <filesystem>

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "playback/marks_store.h"
#include "support/catalogue_rows.h"
#include "support/faulty_file_system.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace {

namespace fs = std::filesystem;
using playback::MarksStore;
using playback::PlaylistMarks;
using Entries = std::vector<std::string>;

// The small set's marks: 7a0b3c0d has tracks 1, 2 and 10 marked (and a
// deleted duplicate); four other albums have one mark each; one deleted
// album has a deleted mark.
constexpr const char* kAlbum = "7a0b3c0d";
const Entries kOtherMarks{"00a1b2c3/  1", "12345678/100", "c30d2e11/  3", "z0000002/  2"};
const Entries kOldNumbers{"  1", "  2", " 10"};
const Entries kNewNumbers{"  3", "  4"};

Entries numbersOf(xbase::Cursor& playlist, const std::string& id)
{
    Entries numbers;
    for (bool more = playlist.seekValues({id}); more && playlist.field("ID") == id; more = playlist.next())
        numbers.push_back(playlist.field("NR"));
    return numbers;
}

// The rows of PLAYLIST on disk: this album's numbers and every other row.
std::pair<Entries, Entries> splitRows(const std::string& dir)
{
    Entries mine, others;
    for (const std::string& row : test_support::playlistRows(dir)) {
        if (row.rfind(std::string(kAlbum) + "/", 0) == 0)
            mine.push_back(row.substr(9));
        else
            others.push_back(row);
    }
    return {mine, others};
}

// Tracks 3 and 4 marked instead of 1, 2 and 10.
void markThreeAndFour(PlaylistMarks& marks)
{
    marks.excludeAll();
    marks.include({2, 3});
    ASSERT_EQ(marks.markedNumbers(), kNewNumbers);
}

class MarksStoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        test_support::copyFixtureSet("xbase/small", dir.path());
        test_support::appendRow(dir.path(), "ALBUMS.DBF", {{"ID", "z0000005"}, {"Album", "No Tracks Yet"}});
        catalogue.createMissingFilesAndOpenViews();
    }
    std::uint32_t playlistRecords() { return catalogue.playlist()->table().recordCount(); }

    test_support::TempDir dir;
    catalogue::Catalogue catalogue{dir.path()};
    MarksStore store{catalogue};
};

TEST_F(MarksStoreTest, ListsAreBuiltFromTracksAndMarks)
{
    PlaylistMarks marks = store.load(kAlbum);
    EXPECT_EQ(marks.marked(), (Entries{"  1-Speak to Me ( 1:08)", "  2-Breathe ( 2:43)", " 10-Eclipse ( 2:03)"}));
    EXPECT_EQ(marks.available(),
              (Entries{"  3-On the Run (3:36)", "  4-Time (7:01)", "  5-The Great Gig in the Sky (4:36)", "  6-Money (6:22)",
                       "  7-Us and Them (7:49)", "  8-Any Colour You Like (3:26)", "  9-Brain Damage (3:46)"}));
    EXPECT_EQ(marks.runningText(), "  5:58");
    EXPECT_TRUE(marks.runningTimeShown());

    marks = store.load("12345678");
    EXPECT_EQ(marks.marked(), (Entries{"100-Hidden Track (20:34)"}));
    EXPECT_EQ(marks.available().front(), "  1-FIRST (0:01)");
    EXPECT_EQ(marks.available()[1], "  2-second");
    EXPECT_EQ(marks.runningText(), " 20:34");
}

TEST_F(MarksStoreTest, RunningTimeHiddenWithoutALastTrackLength)
{
    PlaylistMarks marks = store.load("z0000001");
    EXPECT_EQ(marks.available(), Entries{"  1-"});
    EXPECT_FALSE(marks.runningTimeShown());

    marks = store.load("z0000005");
    EXPECT_TRUE(marks.available().empty());
    EXPECT_TRUE(marks.marked().empty());
    EXPECT_FALSE(marks.runningTimeShown());
    EXPECT_EQ(marks.runningText(), "  0:00");
}

TEST_F(MarksStoreTest, AMarkWhoseTrackIsGoneStillShowsAndCanBeRemoved)
{
    test_support::appendRow(dir.path(), "PLAYLIST.DBF", {{"ID", kAlbum}, {"NR", " 11"}});
    PlaylistMarks marks = store.load(kAlbum);
    ASSERT_EQ(marks.marked().size(), 4u);
    EXPECT_EQ(marks.marked().back(), " 11-(no such track)");
    EXPECT_EQ(marks.runningText(), "  5:58") << "it adds nothing";
    marks.exclude({3});
    store.save(kAlbum, marks);
    EXPECT_EQ(numbersOf(catalogue.playlist().cursor(), kAlbum), kOldNumbers);
}

TEST_F(MarksStoreTest, SavingReplacesOnlyThisAlbumsMarksAndPacksTheTable)
{
    PlaylistMarks marks = store.load(kAlbum);
    markThreeAndFour(marks);
    store.save(kAlbum, marks);

    ASSERT_TRUE(catalogue.playlist().isOpen());
    EXPECT_FALSE(catalogue.playlist().exclusive());
    EXPECT_EQ(numbersOf(catalogue.playlist().cursor(), kAlbum), kNewNumbers);
    const auto [mine, others] = splitRows(dir.path());
    EXPECT_EQ(mine, kNewNumbers);
    EXPECT_EQ(others, kOtherMarks);
    EXPECT_EQ(playlistRecords(), 6u) << "the deleted rows are packed away";
    // The new rows come last, in list order.
    const xbase::Table& table = catalogue.playlist()->table();
    EXPECT_EQ(table.fieldText(table.record(6), table.fieldIndex("NR")), "  4");

    // Reopened, the marks show the marked list's two-character minutes.
    EXPECT_EQ(store.load(kAlbum).marked(), (Entries{"  3-On the Run ( 3:36)", "  4-Time ( 7:01)"}));
    for (const auto& file : fs::directory_iterator(dir.path()))
        EXPECT_EQ(file.path().filename().string().find('~'), std::string::npos) << file.path();
}

TEST_F(MarksStoreTest, SavingNothingRemovesTheAlbumsMarks)
{
    PlaylistMarks marks = store.load(kAlbum);
    marks.excludeAll();
    store.save(kAlbum, marks);
    EXPECT_TRUE(numbersOf(catalogue.playlist().cursor(), kAlbum).empty());
    EXPECT_EQ(splitRows(dir.path()).second, kOtherMarks);
    EXPECT_EQ(playlistRecords(), 4u);
}

TEST_F(MarksStoreTest, WhileAnotherHolderHasThePlaylistNothingChanges)
{
    PlaylistMarks marks = store.load(kAlbum);
    markThreeAndFour(marks);
    {
        const auto held = xbase::Table::open(catalogue.playlist().path(), xbase::OpenMode::Shared);
        EXPECT_THROW(store.save(kAlbum, marks), xbase::XbaseError);
        ASSERT_TRUE(catalogue.playlist().isOpen());
        EXPECT_EQ(numbersOf(catalogue.playlist().cursor(), kAlbum), kOldNumbers);
    }
    store.save(kAlbum, marks);
    EXPECT_EQ(numbersOf(catalogue.playlist().cursor(), kAlbum), kNewNumbers);
}

// A save whose writes fail from some byte on, for budgets across the whole
// save: the album has its old marks or its new ones, in this process and
// in the files, and the other albums keep theirs.
TEST(MarksSaveFaults, AFailedSaveLeavesTheOldMarksOrTheNewOnes)
{
    test_support::TempDir dir;
    test_support::copyFixtureSet("xbase/small", dir.path());
    test_support::FaultyFileSystem faulty;
    catalogue::Catalogue catalogue(dir.path(), faulty);
    catalogue.createMissingFilesAndOpenViews();
    MarksStore store(catalogue);
    const std::string fixtureDir = test_support::fixturePath("xbase/small");

    // One save from the fixture's PLAYLIST with `budget` bytes; returns
    // the bytes it wrote.
    auto attempt = [&](std::uint64_t budget, bool& saved) {
        catalogue.playlist().close();
        for (const char* file : {"PLAYLIST.DBF", "PLAYLIST.CDX"})
            fs::copy_file(fixtureDir + "/" + file, dir.file(file), fs::copy_options::overwrite_existing);
        catalogue.playlist().open();
        PlaylistMarks marks = store.load(kAlbum);
        markThreeAndFour(marks);
        const std::uint64_t before = faulty.written();
        faulty.failAfter(budget);
        saved = false;
        try {
            store.save(kAlbum, marks);
            saved = true;
        } catch (const xbase::XbaseError&) {
        }
        faulty.heal();
        return faulty.written() - before;
    };

    bool saved = false;
    const std::uint64_t whole = attempt(UINT64_MAX, saved);
    ASSERT_TRUE(saved);
    std::vector<std::uint64_t> budgets;
    for (std::uint64_t b = 0; b < whole; b += 1 + whole / 60)
        budgets.push_back(b);
    for (std::uint64_t b = whole > 24 ? whole - 24 : 0; b <= whole; ++b)
        budgets.push_back(b);

    int oldOutcomes = 0;
    int newOutcomes = 0;
    for (std::uint64_t budget : budgets) {
        attempt(budget, saved);
        catalogue.playlist().open();
        const Entries inProcess = numbersOf(catalogue.playlist().cursor(), kAlbum);
        catalogue.playlist().close();
        const auto [onDisk, others] = splitRows(dir.path());
        EXPECT_EQ(inProcess, onDisk) << budget;
        EXPECT_EQ(others, kOtherMarks) << budget;
        if (saved) {
            EXPECT_EQ(onDisk, kNewNumbers) << budget;
        }
        if (onDisk == kOldNumbers)
            ++oldOutcomes;
        else if (onDisk == kNewNumbers)
            ++newOutcomes;
        else
            ADD_FAILURE() << "a mix of old and new marks with a budget of " << budget << " bytes";
    }
    EXPECT_GT(oldOutcomes, 0);
    EXPECT_GT(newOutcomes, 1) << "a swap that failed part-way is finished at the next open";
}

}  // namespace
