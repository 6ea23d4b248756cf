// The quick search on the small reference collection with a few rows added:
// a single-artist album and a compilation track by artists named Smith, and
// album titles holding quotes.
#include <stdexcept>

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "search/expression_literal.h"
#include "search/quick_search.h"
#include "search/search_rows.h"
#include "support/fixture_files.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "xbase/expression.h"
#include "xbase/file_names.h"

namespace {

using search::QuickSearch;
using search::SearchField;
using test_support::ScriptedPrompter;

// A row of the result view: the fields asked for (lookups included).
struct Hit {
    std::vector<std::string> cells;
};

class QuickSearchTest : public testing::Test {
protected:
    void SetUp() override
    {
        test_support::copyFixtureSet("xbase/small", dir.path());
        test_support::appendSearchRows(dir.path());
        catalogue.createMissingFilesAndOpenViews();
    }

    // Runs a search; the "result window" reads every row's `fields`.
    std::vector<Hit> find(SearchField field, const std::string& text, const std::vector<std::string>& fields)
    {
        std::vector<Hit> hits;
        shown = QuickSearch(catalogue, prompter).find(field, text, [&](const search::SearchHits& found) {
            caption = found.caption;
            EXPECT_EQ(found.count, found.view->count());
            for (std::uint32_t row = 0; found.view->goToRow(row); ++row) {
                Hit hit;
                for (const std::string& f : fields)
                    hit.cells.push_back(found.view->fieldTrimmed(f));
                hits.push_back(hit);
            }
        });
        return hits;
    }

    void expectFiltersOff()
    {
        EXPECT_FALSE(catalogue.artists()->filtered());
        EXPECT_FALSE(catalogue.albumLookup()->filtered());
        EXPECT_FALSE(catalogue.allTracks()->filtered());
    }

    test_support::TempDir dir;
    catalogue::Catalogue catalogue{dir.path()};
    ScriptedPrompter prompter;
    std::string caption;
    bool shown = false;
};

TEST(ExpressionLiteral, AnyTextBecomesOneConstant)
{
    EXPECT_EQ(search::expressionLiteral("live"), "\"live\"");
    EXPECT_EQ(search::expressionLiteral("12\""), "'12\"'");
    EXPECT_EQ(search::expressionLiteral("a'b\"c"), "\"a'b\"+'\"'+\"c\"");
    EXPECT_EQ(search::expressionLiteral("\"\"x'"), "'\"\"'+\"x'\"");

    test_support::TempDir dir;
    test_support::copyFixtureSet("xbase/small", dir.path());
    auto albums = xbase::Table::open(dir.file("ALBUMS.DBF"), xbase::OpenMode::Shared);
    for (const std::string text : {"", "plain", "it's", "say \"hi\"", "'\"'\"", "\"", "'", "x\"y'z\"\"", "a+b\"+\"c"})
        EXPECT_EQ(xbase::Expression::compile(search::expressionLiteral(text), *albums).evaluateText(albums->record(1)), text)
            << text;
}

TEST_F(QuickSearchTest, ArtistSearchFindsAlbumArtistsAndTrackArtistsOfCompilations)
{
    const auto hits = find(SearchField::Artist, "smith", {"NR", "Artist", "Album", "Label", "ID"});
    ASSERT_TRUE(shown);
    EXPECT_EQ(caption, "Vinora One-Stop Artist Search (including multi-artist) for \"smith\" (2 found)");
    ASSERT_EQ(hits.size(), 2u);
    // In artist order: Jane before John.
    EXPECT_EQ(hits[0].cells, (std::vector<std::string>{"  7", "Jane Smith", "Now That's What I Call Music", "CDR 010", "c30d2e11"}));
    EXPECT_EQ(hits[1].cells, (std::vector<std::string>{"", "John Smith", "Smith Sessions", "Shelf 9", "z0000005"}));
    expectFiltersOff();
    EXPECT_TRUE(xbase::equalsNoCase(catalogue.albumLookup().order(), "ID"))
        << "the lookups need albumLookup in ID order";
}

TEST_F(QuickSearchTest, AlbumLabelAndNotesSearches)
{
    auto hits = find(SearchField::Album, "ARRIVAL", {"Album", "Artist"});
    EXPECT_EQ(caption, "Vinora - Albums containing \"ARRIVAL\" (3 found)");
    EXPECT_EQ(hits.size(), 3u);
    EXPECT_TRUE(xbase::equalsNoCase(catalogue.albumLookup().order(), "Album"));

    hits = find(SearchField::Label, "shelf", {"Label"});
    EXPECT_EQ(caption, "Vinora - Label/Directory containing \"shelf\" (2 found)");
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].cells[0], "Shelf 2");
    EXPECT_EQ(hits[1].cells[0], "Shelf 9");

    EXPECT_EQ(QuickSearch::filterFor(SearchField::Notes, "live"), "contains(notes,\"*live*\")");
    hits = find(SearchField::Notes, "live", {"Artist"});
    EXPECT_EQ(caption, "Vinora - Notes containing \"live\" (1 found)");
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].cells[0], "\xc9" "dith Piaf");
    EXPECT_TRUE(xbase::equalsNoCase(catalogue.albumLookup().order(), "Label"))
        << "the notes search keeps the order it finds";
    expectFiltersOff();
}

TEST_F(QuickSearchTest, TrackSearchListsTracksWithTheirAlbumsAndKeepsAlbumLookupOrder)
{
    catalogue.albumLookup().setOrder("Album");
    const auto hits = find(SearchField::Track, "come", {"NR", "Track", "Artist", "album"});
    EXPECT_EQ(caption, "Vinora - Tracks containing \"come\" (3 found)");
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_EQ(hits[0].cells, (std::vector<std::string>{"  1", "Come Together", "The Beatles", "Abbey Road"}));
    EXPECT_EQ(hits[2].cells, (std::vector<std::string>{"  3", "Come as You Are", "Nirvana", "Nevermind"}));
    EXPECT_TRUE(xbase::equalsNoCase(catalogue.albumLookup().order(), "Album"));
    expectFiltersOff();
}

TEST_F(QuickSearchTest, TextsWithQuotesAreSearchedForAsTyped)
{
    auto hits = find(SearchField::Album, "12\"", {"Album"});
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].cells[0], test_support::kDoubleQuotedAlbum);
    EXPECT_EQ(caption, "Vinora - Albums containing \"12\"\" (1 found)");

    hits = find(SearchField::Album, "'n' Roll \"Live\" at Rick'", {"Album"});
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].cells[0], test_support::kBothQuotesAlbum);

    hits = find(SearchField::Notes, "\"", {"Album"});
    EXPECT_TRUE(hits.empty());
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Info), std::vector<std::string>{"Could not find: \""});
}

TEST_F(QuickSearchTest, NoHitsOrNoTextShowsNoWindowAndLeavesTheAlbumsGridAlone)
{
    xbase::Cursor& albums = catalogue.albums().cursor();
    albums.setOrder("Genre");
    albums.goToRow(5);
    const std::uint32_t recno = albums.recno();

    EXPECT_TRUE(find(SearchField::Album, "", {}).empty());
    EXPECT_FALSE(shown);
    EXPECT_TRUE(prompter.requests().empty()) << "an empty text does nothing";

    for (SearchField field : {SearchField::Artist, SearchField::Album, SearchField::Label, SearchField::Notes,
                              SearchField::Track}) {
        find(field, "no such text ", {});
        EXPECT_FALSE(shown);
    }
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Info),
              std::vector<std::string>(5, "Could not find: no such text "));
    expectFiltersOff();
    EXPECT_TRUE(xbase::equalsNoCase(albums.order(), "Genre"));
    EXPECT_EQ(albums.recno(), recno);
}

TEST_F(QuickSearchTest, FiltersAreSwitchedOffWhenTheResultWindowFails)
{
    for (SearchField field : {SearchField::Artist, SearchField::Track}) {
        EXPECT_THROW(QuickSearch(catalogue, prompter)
                         .find(field, "o", [](const search::SearchHits&) { throw std::runtime_error("window"); }),
                     std::runtime_error);
        expectFiltersOff();
    }
}

}  // namespace
