// The detail page and the labeler list of an album in a small real
// catalogue: optional header lines, notes with extended data, totals,
// playlist index runs, the label summary and the labeler's columns.
#include "editing/album_detail.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "catalogue/display_text.h"
#include "editing/album_detail_labeler_list.h"
#include "editing/album_detail_pages.h"
#include "lookup/album_locator.h"
#include "support/catalogue_rows.h"
#include "support/temp_dir.h"

namespace {

using editing::AlbumDetail;
using test_support::appendRow;
using Style = AlbumDetail::Style;

struct Track {
    std::string title;
    std::string secs;
};

class AlbumDetailTest : public testing::Test {
protected:
    AlbumDetailTest() { catalogue.createMissingFilesAndOpenViews(); }

    void album(const test_support::FieldValues& fields, const std::vector<Track>& tracks,
               const std::vector<int>& marks = {})
    {
        appendRow(dir.path(), "ALBUMS.DBF", fields);
        const std::string id = fields.front().second;
        for (std::size_t i = 0; i < tracks.size(); ++i)
            appendRow(dir.path(), "TRACKS.DBF", {{"ID", id}, {"NR", nr(static_cast<int>(i + 1))},
                                                 {"Track", tracks[i].title}, {"Secs", tracks[i].secs}});
        for (int mark : marks)
            appendRow(dir.path(), "PLAYLIST.DBF", {{"ID", id}, {"NR", nr(mark)}});
    }
    static std::string nr(int number) { return catalogue::numberText(number, 3); }

    AlbumDetail detailOf(const std::string& id)
    {
        EXPECT_TRUE(lookup::makeAlbumCurrent(catalogue, id));
        return AlbumDetail::ofCurrentAlbum(catalogue);
    }
    // The page's lines from the one starting with `from` up to the one
    // before the one starting with `to`; extended lines marked "[x]".
    static std::vector<std::string> section(const AlbumDetail& detail, std::string_view from, std::string_view to)
    {
        std::vector<std::string> lines;
        bool in = false;
        for (const AlbumDetail::Line& line : detail.page()) {
            in = (in || line.text.starts_with(from)) && !line.text.starts_with(to);
            if (in)
                lines.push_back(line.style == Style::Extended ? "[x]" + line.text : line.text);
        }
        return lines;
    }

    test_support::TempDir dir;
    catalogue::Catalogue catalogue{dir.path()};
};

TEST_F(AlbumDetailTest, BareAlbumShowsItsFourFieldsAndVersion)
{
    album({{"ID", "b0000001"}, {"Album", "Bare"}, {"Artist", "Nobody"}, {"Genre", "Rock"}, {"Sys", "M"}}, {});
    const AlbumDetail detail = detailOf("b0000001");
    EXPECT_EQ(detail.caption(), "Vinora - Detail on current Album [Bare]");
    EXPECT_EQ(section(detail, "Album:", "Total number of albums"),
              (std::vector<std::string>{"Album:     Bare", "Artist:    Nobody", "Genre:     Rock",
                                        "Disc ID:   b0000001"}));
    EXPECT_TRUE(detail.page().back().text.starts_with("Vinora - Version "));
}

TEST_F(AlbumDetailTest, NotesExtendedDataAndTotals)
{
    album({{"ID", "c0000001"}, {"Album", "Full"}, {"Artist", "Some Band"}, {"YR", "1999"}, {"IX", "7"},
           {"Notes", "First remark\r\n\r\nEXTD=\\nLive recording\\n\r\nEXTT0=\\nOpening\r\nEXTT0=Second try\r\n"
                     "EXTTx=not a tag\r\nEXTT1=For two\r\n"}},
          {{"Intro", "100"}, {"Song", "200"}, {"Outro", "0"}});
    const AlbumDetail detail = detailOf("c0000001");
    EXPECT_EQ(section(detail, "Year:", "Total number of tracks"),
              (std::vector<std::string>{"Year:      1999", "Index:     7", "Disc ID:   c0000001", "NOTES:",
                                        "First remark", "[x]Live recording", "EXTTx=not a tag", "TRACKS:",
                                        "01. ( 1:40) Intro", "[x]    Opening", "02. ( 3:20) Song", "[x]    For two",
                                        "03. ( 0:00) Outro", "Total Playing Time:   5:06",
                                        "Total number of albums in database: 1"}));

    const std::vector<std::string> list = editing::labelerList(detail);
    ASSERT_EQ(list.size(), 20u);
    EXPECT_EQ(list[14], "5:04");  // [Playtime]: no gap after the last track
    EXPECT_EQ(list[19], R"("Audio","Some Band","Outro","0:00")");
}

TEST_F(AlbumDetailTest, PlaylistNumbersItsRunFromAWholeIndexOnly)
{
    const std::vector<Track> tracks{{"One", "60"}, {"Two", "70"}, {"Three", "80"}, {"Four", "90"}};
    album({{"ID", "d0000001"}, {"Album", "Whole"}, {"IX", "5"}}, tracks, {2, 3, 4});
    album({{"ID", "d0000002"}, {"Album", "Part"}, {"IX", "1.5"}}, tracks, {1});
    const std::string padded = "Two" + std::string(37, ' ');
    EXPECT_EQ(section(detailOf("d0000001"), "PLAYLIST:", "Total number"),
              (std::vector<std::string>{"PLAYLIST:", "02. " + padded + " (Index: 5)",
                                        "03. Three" + std::string(35, ' ') + " (Index: 6)",
                                        "04. Four" + std::string(36, ' ') + " (Index: 7)",
                                        "Total Playlist Time:   4:06"}));
    EXPECT_EQ(section(detailOf("d0000002"), "PLAYLIST:", "Total number"),
              (std::vector<std::string>{"PLAYLIST:", "01. ( 1:00) One", "Total Playlist Time:   1:02"}));
}

TEST_F(AlbumDetailTest, StatisticsFollowTheFilterAndLabelOrder)
{
    album({{"ID", "e0000001"}, {"Album", "One"}, {"Label", "SPINDLE"}}, {{"A", "100"}});
    album({{"ID", "e0000002"}, {"Album", "Two"}, {"Label", "SPINDLE"}}, {{"B", "0"}}, {1});
    album({{"ID", "e0000003"}, {"Album", "Three"}, {"Label", "OTHER"}}, {{"C", "10"}});
    catalogue.albums().setOrder("Label");
    catalogue.albums().setFilter("Label=\"SPINDLE\"");
    catalogue.albums().setFiltered(true);
    EXPECT_EQ(section(detailOf("e0000001"), "Albums passing", "Vinora - Version"),
              (std::vector<std::string>{"Albums passing filter Label=\"SPINDLE\": 2",
                                        "Total number of albums in database: 3",
                                        "Total number of tracks in database: 3",
                                        "Time used on Media Label/Directory \"SPINDLE\":   4:44 (2 tracks)",
                                        "Click \"Display Time Used on Rewritable Media\" button below",
                                        "      for time use on ALL rewritable media"}));
    // A label only one album carries has no summary.
    catalogue.albums().setFiltered(false);
    EXPECT_EQ(section(detailOf("e0000003"), "Total number of tracks", "Vinora - Version").size(), 1u);
}

TEST_F(AlbumDetailTest, LabelerSplitsSingerFromSongOnMultiArtistAlbums)
{
    album({{"ID", "f0000001"}, {"Album", "Hits"}, {"Artist", "Various Artists"}},
          {{"Singer One / First Song", "125"}, {"/ Leading", "60"}, {"Data", "0"}});
    const std::vector<std::string> list = editing::labelerList(detailOf("f0000001"));
    EXPECT_EQ(std::vector<std::string>(list.end() - 3, list.end()),
              (std::vector<std::string>{R"("Audio","Singer One","First Song","2:05")",
                                        R"("Audio","Various Artists","/ Leading","1:00")",
                                        R"("Data","Various Artists","Data","0:00")"}));

    const std::string path = dir.file(editing::kLabelerListFile);
    editing::writeLabelerList(path, {"[Type]", "Audio CD"});
    std::ostringstream written;
    written << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(written.str(), "[Type]\r\nAudio CD\r\n");
}

TEST(ArtistSearchText, BlanksAndAmpersandsBecomeOnePlus)
{
    EXPECT_EQ(editing::artistSearchText("  Simon & Garfunkel "), "Simon+Garfunkel");
    EXPECT_EQ(editing::artistSearchText("AC/DC"), "AC/DC");
    EXPECT_EQ(editing::outsidePageAddress(editing::OutsidePage::ArtistCds, "Bj\xf6rk #1"),
              "https://www.amazon.com/s?i=popular&k=Bj%C3%B6rk+%231");
}

}  // namespace
