// The tracks view's rules over a built work table: order by title, the
// keyboard jump, the filter, and the DJ upload file read back by Python's
// csv module.
#include <gtest/gtest.h>

#include <filesystem>

#include "playback/dj_export.h"
#include "playback/tracks_view.h"
#include "playback/tracks_view_builder.h"
#include "support/fixture_files.h"
#include "support/scripted_prompter.h"
#include "tracks_view_collection.h"
#include "xbase/xbase_error.h"

namespace {

using playback::TracksView;
using test_support::ScriptedPrompter;
using Kind = ScriptedPrompter::Kind;
using Texts = std::vector<std::string>;

class TracksViewTest : public testing::Test, protected test_support::TracksViewCollection {
protected:
    void SetUp() override
    {
        test_support::RecordedProgress progress;
        playback::TracksViewBuilder(catalogue, {}).build(progress);
        view.open();
    }

    xbase::Cursor& rows() { return catalogue.tracksView().cursor(); }
    std::string currentTrack() { return rows().fieldTrimmed("Track"); }

    ScriptedPrompter prompter;
    std::string status;
    TracksView view{catalogue, prompter, [this](const std::string& text) { status = text; }};
};

TEST_F(TracksViewTest, OpensInTrackOrderAndTypedLettersFindTheNearestTitle)
{
    EXPECT_EQ(status, "One row for each of the 6 tracks with artist entry in your database");
    EXPECT_TRUE(view.isCurrentOrder("TRACK"));
    EXPECT_EQ(currentTrack(), "Answer, \"Yes\" or \"No\"");

    EXPECT_TRUE(view.jumpToKey('q'));
    EXPECT_EQ(currentTrack(), "Quartet for the End of Time, third movement: Abyss");
    EXPECT_TRUE(view.jumpToKey('~'));  // past every title: the last row
    EXPECT_EQ(currentTrack(), "Slow Dance");
    EXPECT_TRUE(view.jumpToKey('a'));
    EXPECT_EQ(currentTrack(), "Answer, \"Yes\" or \"No\"");
    EXPECT_TRUE(view.jumpToKey('R'));  // no R: the nearest after it
    EXPECT_EQ(currentTrack(), "Slow Dance");
    EXPECT_FALSE(view.jumpToKey('\t'));
}

TEST_F(TracksViewTest, ATitleClickOrdersAndASecondOneMovesToTheNextDifferentValue)
{
    EXPECT_EQ(view.orderByTitle("ARTIST"), TracksView::TitleClick::Ordered);
    EXPECT_TRUE(view.isCurrentOrder("ARTIST"));
    rows().first();
    EXPECT_EQ(view.orderByTitle("ARTIST"), TracksView::TitleClick::Jumped);
    EXPECT_EQ(rows().fieldTrimmed("Artist"), "Beta Singer");
    EXPECT_EQ(view.orderByTitle("ARTIST"), TracksView::TitleClick::Jumped);
    EXPECT_EQ(rows().fieldTrimmed("Artist"), "Zeta Band");
    EXPECT_EQ(view.orderByTitle("ARTIST"), TracksView::TitleClick::Jumped);
    EXPECT_EQ(rows().row(), 5u);  // no different value after it: the last row

    EXPECT_EQ(view.orderByTitle("YR"), TracksView::TitleClick::Ordered);
    rows().first();
    EXPECT_EQ(rows().fieldTrimmed("YR"), "1999");
    EXPECT_EQ(view.currentAlbumId(), "z0000001");
}

TEST_F(TracksViewTest, FilterEmptyInvalidAndCancelled)
{
    EXPECT_TRUE(view.setFilter(""));
    EXPECT_EQ(status, "6 tracks pass filter: ");
    EXPECT_TRUE(view.setFilter("genre=\"pop\""));
    EXPECT_EQ(status, "2 tracks pass filter: genre=\"pop\"");

    EXPECT_FALSE(view.setFilter("genre=="));
    EXPECT_EQ(prompter.texts(Kind::Error), Texts{"Invalid Filter Expression\rgenre=="});
    EXPECT_EQ(rows().count(), 2u);

    view.cancelFilter();
    EXPECT_EQ(rows().count(), 6u);
    EXPECT_EQ(status, "One row for each of the 6 tracks with artist entry in your database");
}

// What Python's csv module reads from the file: one "a|b|c|d" per record.
Texts readWithPython(const std::string& path)
{
    int exitStatus = -1;
    const std::string out = test_support::runCapture(
        "/usr/bin/python3 -c 'import csv,sys\n"
        "with open(sys.argv[1], newline=\"\", encoding=\"cp1252\") as f:\n"
        "  for r in csv.reader(f): sys.stdout.buffer.write((\"|\".join(r) + \"\\x00\").encode(\"cp1252\"))' " +
            path,
        &exitStatus);
    EXPECT_EQ(exitStatus, 0);
    Texts records;
    for (std::size_t start = 0, end; (end = out.find('\0', start)) != std::string::npos; start = end + 1)
        records.push_back(out.substr(start, end - start));
    return records;
}

TEST_F(TracksViewTest, DjFileListsTheFilteredRowsInArtistOrderAndLeavesTheGridWhereItWas)
{
    view.setFilter("genre=\"rock\" .or. \"Alpha\"$artist");
    view.orderByTitle("ALBUM");
    rows().goToRow(3);
    const std::uint32_t recno = rows().recno();

    view.writeDjFile();

    EXPECT_EQ(prompter.texts(Kind::Info), Texts{"DJintel.csv created for upload to DJ Intelligence"});
    EXPECT_EQ(status, "");
    EXPECT_TRUE(view.isCurrentOrder("ALBUM"));
    EXPECT_EQ(rows().recno(), recno);
    EXPECT_FALSE(std::filesystem::exists(dir.file("DJintel.csv.new")));

    // Every field equal to the work table's, in its Artist tag order, the
    // row the filter hides left out.
    view.close();
    Texts expected;
    xbase::Cursor byArtist(xbase::Table::open(dir.file("TVIEW.DBF"), xbase::OpenMode::Shared));
    byArtist.setOrder("Artist");
    for (bool more = byArtist.first(); more; more = byArtist.next())
        if (byArtist.fieldTrimmed("Artist") != "Beta Singer")
            expected.push_back(byArtist.fieldTrimmed("Artist") + "|" + byArtist.fieldTrimmed("Track") + "|" +
                               byArtist.fieldTrimmed("Genre") + "|" + byArtist.fieldTrimmed("YR"));
    EXPECT_EQ(readWithPython(dir.file("DJintel.csv")), expected);
    EXPECT_EQ(expected.size(), 5u);

    const std::string bytes = test_support::readFile(dir.file("DJintel.csv"));
    EXPECT_EQ(bytes.substr(0, bytes.find("\r\n") + 2), "\"Alpha Singer\",\"quiet Song\",\"pop\",\"2005\"\r\n");
}

TEST_F(TracksViewTest, AFileThatCannotBeWrittenIsAnErrorAndTheGridStays)
{
    view.orderByTitle("GENRE");
    rows().last();
    std::filesystem::create_directory(dir.file("DJintel.csv"));  // the name is taken by a folder

    EXPECT_THROW(view.writeDjFile(), xbase::XbaseError);
    EXPECT_TRUE(view.isCurrentOrder("GENRE"));
    EXPECT_EQ(rows().row(), 5u);
    EXPECT_FALSE(std::filesystem::exists(dir.file("DJintel.csv.new")));
}

}  // namespace
