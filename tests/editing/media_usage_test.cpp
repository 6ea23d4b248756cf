// Time used per medium over a small real catalogue: marks against whole
// albums, unknown lengths, blank labels and the order of the rows.
#include "editing/media_usage.h"

#include <gtest/gtest.h>

#include "catalogue/display_text.h"
#include "support/catalogue_rows.h"
#include "support/temp_dir.h"

namespace {

using editing::MediaUsage;
using editing::MediaUsageRow;
using test_support::appendRow;

class MediaUsageTest : public testing::Test {
protected:
    MediaUsageTest() { catalogue.createMissingFilesAndOpenViews(); }

    void album(const std::string& id, const std::string& label, const std::vector<std::string>& secs,
               const std::vector<std::string>& marks = {})
    {
        appendRow(dir.path(), "ALBUMS.DBF", {{"ID", id}, {"Album", "Album " + id}, {"Label", label}});
        for (std::size_t i = 0; i < secs.size(); ++i)
            appendRow(dir.path(), "TRACKS.DBF",
                      {{"ID", id}, {"NR", catalogue::numberText(static_cast<long>(i + 1), 3)}, {"Track", "Song"}, {"Secs", secs[i]}});
        for (const std::string& nr : marks)
            appendRow(dir.path(), "PLAYLIST.DBF", {{"ID", id}, {"NR", nr}});
    }

    static std::string summary(const MediaUsageRow& row)
    {
        return row.label + " " + std::to_string(row.seconds) + "s " + std::to_string(row.tracks) + " tracks " +
               std::to_string(row.albums) + " albums" + (row.estimated ? " *" : "");
    }
    std::vector<std::string> allLabels()
    {
        std::vector<std::string> rows;
        for (const MediaUsageRow& row : MediaUsage::allLabels(catalogue))
            rows.push_back(summary(row));
        return rows;
    }

    test_support::TempDir dir;
    catalogue::Catalogue catalogue{dir.path()};
};

TEST_F(MediaUsageTest, MarkedAlbumCountsItsMarksAndUnmarkedAlbumAllItsTracks)
{
    album("a0000001", "BACKUP1", std::vector<std::string>(10, "200"));
    // NR as the catalogue stores it, right-aligned, so the marks find them.
    album("a0000002", "BACKUP1", {"100", "110", "120", "130", "140"}, {"  1", "  3", "  5"});
    EXPECT_EQ(allLabels(), std::vector<std::string>{"BACKUP1 2386s 13 tracks 2 albums"});  // 10 x 202 + 102 + 122 + 142
}

TEST_F(MediaUsageTest, UnknownLengthIsEstimatedAndFlagsItsLabel)
{
    album("a0000001", "DISK-A", {"100", "0"});
    album("a0000002", "DISK-B", {"300"});
    EXPECT_EQ(allLabels(), (std::vector<std::string>{"DISK-A 284s 2 tracks 1 albums *", "DISK-B 302s 1 tracks 1 albums"}));
}

TEST_F(MediaUsageTest, BlankLabelsCountNothing)
{
    EXPECT_TRUE(allLabels().empty());
    album("a0000001", "", {"100"});
    album("a0000002", "   ", {"100"});
    EXPECT_TRUE(allLabels().empty());
}

// Rows compared as text would put 1166 minutes before 200 minutes.
TEST_F(MediaUsageTest, RowsGoByTimeUsedAndCaseMakesAnotherMedium)
{
    album("a0000001", "BIG", std::vector<std::string>(7, "9999"));
    album("a0000002", "MID", {"6000", "6000"});
    album("a0000003", "mid", {"10"});
    EXPECT_EQ(allLabels(), (std::vector<std::string>{"mid 12s 1 tracks 1 albums", "MID 12004s 2 tracks 1 albums",
                                                     "BIG 70007s 7 tracks 1 albums"}));
    EXPECT_EQ(MediaUsage::line(MediaUsage::allLabels(catalogue).back()),
              "1166:47 BIG" + std::string(54, ' ') + "7");
}

TEST_F(MediaUsageTest, OneLabelIsMatchedWhole)
{
    album("a0000001", "BACKUP1", {"100"});
    album("a0000002", "BACKUP10", {"100"});
    album("a0000003", "BACKUP1", {"50"});
    const auto usage = MediaUsage::forLabel(catalogue, "BACKUP1    ");
    ASSERT_TRUE(usage);
    EXPECT_EQ(summary(*usage), "BACKUP1 154s 2 tracks 2 albums");
    EXPECT_FALSE(MediaUsage::forLabel(catalogue, "BACKUP"));
    EXPECT_FALSE(MediaUsage::forLabel(catalogue, " "));
}

}  // namespace
