// The tracks view's work table made from a small collection: its rows, its
// tags, the index made alone, and a cancel or a kill that leaves nothing
// half-built.
#include <gtest/gtest.h>

#include <filesystem>

#include "playback/tracks_view_builder.h"
#include "tracks_view_collection.h"

namespace {

using playback::TracksViewBuilder;
using test_support::RecordedProgress;
using Rows = std::vector<std::string>;

class TracksViewBuilderTest : public testing::Test, protected test_support::TracksViewCollection {
protected:
    TracksViewBuilder builder{catalogue, [this](const std::string& text) { statuses.push_back(text); }};
    std::vector<std::string> statuses;

    std::shared_ptr<xbase::Table> workTable()
    {
        return xbase::Table::open(dir.file("TVIEW.DBF"), xbase::OpenMode::Exclusive);
    }
};

TEST_F(TracksViewBuilderTest, OneRowPerArtistEntryInArtistOrderWithItsFiveTags)
{
    RecordedProgress progress;
    ASSERT_TRUE(builder.needsWork());
    ASSERT_EQ(builder.build(progress), TracksViewBuilder::Outcome::Ready);
    EXPECT_FALSE(builder.needsWork());

    xbase::Cursor rows(workTable());
    // The songs of the compilation under their own artists; the track
    // without an artist row, the gone track and the gone album list nothing.
    EXPECT_EQ(rowTexts(rows),
              (Rows{"Alpha Singer|Mix Tape|quiet Song|pop|2005|z0000002",
                    "Beta Singer|Mix Tape|Slow Dance|pop|2005|z0000002",
                    "Zeta Band|Night Songs|Queen of Night|rock|1999|z0000001",
                    "Zeta Band|Night Songs|Answer, \"Yes\" or \"No\"|rock|1999|z0000001",
                    "Zeta Band|Night Songs|Line\r\nBreak at the Caf\xe9|rock|1999|z0000001",
                    "Zeta Band|Night Songs|" + std::string(kLongTitle).substr(0, 50) + "|rock|1999|z0000001"}));

    for (const char* tag : {"Album", "Artist", "Track", "Genre", "yr"})
        ASSERT_NO_THROW(rows.setOrder(tag)) << tag;
    rows.setOrder("Artist");
    std::string key = "ZETA BAND";
    key.resize(50, ' ');
    EXPECT_TRUE(rows.seek(key + "QUEEN OF NIG"));
    rows.setOrder("yr");
    ASSERT_TRUE(rows.first());
    EXPECT_EQ(rows.fieldTrimmed("YR"), "1999");

    ASSERT_EQ(statuses.size(), 7u);  // the table, the index, then a text per tag
    EXPECT_EQ(statuses.front(), playback::kCreatingViewTableText);
    ASSERT_FALSE(progress.reports.empty());
    EXPECT_EQ(progress.reports.back(), (std::pair<std::size_t, std::size_t>{5, 5}));
}

TEST_F(TracksViewBuilderTest, AKeptTableWhoseIndexIsMissingGetsOnlyItsIndex)
{
    RecordedProgress progress;
    builder.build(progress);
    {
        // A row the collection would not give: it must survive.
        auto table = workTable();
        std::vector<std::uint8_t> record(table->record(1), table->record(1) + table->recordLength());
        table->setFieldText(record.data(), table->fieldIndex("Track"), "Kept Row");
        table->write(1, record.data());
    }
    std::filesystem::remove(dir.file("TVIEW.CDX"));
    statuses.clear();
    ASSERT_TRUE(builder.needsWork());
    ASSERT_EQ(builder.build(progress), TracksViewBuilder::Outcome::Ready);

    EXPECT_EQ(statuses.front(), "Creating View index, please standby...");
    xbase::Cursor rows(workTable());
    rows.setOrder("Track");
    EXPECT_TRUE(rows.seek("KEPT ROW"));
    EXPECT_EQ(rows.count(), 6u);
}

TEST_F(TracksViewBuilderTest, ACancelLeavesNeitherAHalfTableNorAHalfIndex)
{
    RecordedProgress atOnce(0);
    EXPECT_EQ(builder.build(atOnce), TracksViewBuilder::Outcome::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(dir.file("TVIEW.DBF")));

    RecordedProgress whole;
    builder.build(whole);
    std::filesystem::remove(dir.file("TVIEW.CDX"));
    RecordedProgress afterTwoTags(3);
    EXPECT_EQ(builder.build(afterTwoTags), TracksViewBuilder::Outcome::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(dir.file("TVIEW.CDX")));
    EXPECT_TRUE(builder.needsWork());
}

// Copies the program folder at the fill's first report: what a kill there
// would leave on disk.
class KilledMidFill : public common::Progress {
public:
    KilledMidFill(const std::string& from, const std::string& to) : from_(from), to_(to) {}
    void advance(std::size_t, std::size_t) override
    {
        if (!copied_)
            std::filesystem::copy(from_, to_, std::filesystem::copy_options::recursive);
        copied_ = true;
    }
    bool cancelRequested() const override { return false; }

private:
    std::string from_, to_;
    bool copied_ = false;
};

TEST_F(TracksViewBuilderTest, AKillMidFillLeavesNoTableUnderItsNameAndTheNextBuildMakesItWhole)
{
    test_support::TempDir killed;
    KilledMidFill kill(dir.path(), killed.path());
    ASSERT_EQ(builder.build(kill), TracksViewBuilder::Outcome::Ready);
    EXPECT_FALSE(std::filesystem::exists(killed.file("TVIEW.DBF")));

    catalogue::Catalogue restarted(killed.path());
    restarted.createMissingFilesAndOpenViews();
    RecordedProgress progress;
    ASSERT_EQ(TracksViewBuilder(restarted, {}).build(progress), TracksViewBuilder::Outcome::Ready);
    EXPECT_EQ(xbase::Table::open(killed.file("TVIEW.DBF"), xbase::OpenMode::Exclusive)->recordCount(), 6u);
    for (const auto& entry : std::filesystem::directory_iterator(killed.path()))
        EXPECT_EQ(entry.path().filename().string().find('~'), std::string::npos) << entry.path();
}

}  // namespace
