// The albums filter's rules over a copy of the small collection with two
// jazz albums added: the proposal, the four outcomes of OK, the history
// they write and the status bar texts.
#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "search/album_filter.h"
#include "support/fixture_files.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace {

using search::AlbumFilter;
using Outcome = AlbumFilter::Outcome;
using test_support::ScriptedPrompter;

constexpr std::uint32_t kAlbumsInCollection = 14;

class AlbumFilterRules : public testing::Test {
protected:
    void SetUp() override
    {
        test_support::copyFixtureSet("xbase/small", dir.path());
        catalogue.createMissingFilesAndOpenViews();
        addAlbum("Miles Davis", "Kind of Blue", "jazz");
        addAlbum("John Coltrane", "A Love Supreme", "jazz");
        albums().first();
    }
    void addAlbum(const std::string& artist, const std::string& album, const std::string& genre)
    {
        xbase::Cursor& c = albums();
        c.append();
        c.setField("Artist", artist);
        c.setField("Album", album);
        c.setField("Genre", genre);
        c.setField("ID", catalogue.nextManualAlbumId());
        c.post();
    }
    xbase::Cursor& albums() { return catalogue.albums().cursor(); }
    std::vector<std::string> errors() const { return prompter.texts(ScriptedPrompter::Kind::Error); }
    std::string historyFile() const { return test_support::readFile(dir.file("albums.ini")); }
    std::string lastStatus() const { return statuses.empty() ? "<none>" : statuses.back(); }

    test_support::TempDir dir;
    catalogue::Catalogue catalogue{dir.path()};
    ScriptedPrompter prompter;
    std::vector<std::string> statuses;
    AlbumFilter filter{catalogue.albums(), prompter, [this](const std::string& text) { statuses.push_back(text); }};
    search::FilterHistory history{dir.path() + "/", search::FilterHistory::Table::Albums};
};

TEST_F(AlbumFilterRules, ProposesTheCurrentAlbumsGenre)
{
    ASSERT_TRUE(albums().seekNearest("MILES"));
    EXPECT_EQ(filter.proposal(), "genre=\"jazz\"");
    albums().goToRecord(1);
    EXPECT_EQ(filter.proposal(), "genre=\"rock\"");
    albums().last();
    albums().next();
    EXPECT_EQ(filter.proposal(), "genre=\"\"");
}

TEST_F(AlbumFilterRules, JazzFilterShowsOnlyJazzAlbumsAndIsRemembered)
{
    ASSERT_TRUE(albums().seekNearest("MILES"));
    EXPECT_EQ(filter.apply(filter.proposal(), history), Outcome::Applied);
    EXPECT_TRUE(albums().filtered());
    EXPECT_EQ(albums().count(), 2u);
    EXPECT_EQ(albums().fieldTrimmed("Artist"), "John Coltrane") << "the first passing album in artist order";
    EXPECT_EQ(lastStatus(), "Filtering ON: genre=\"jazz\"");
    EXPECT_EQ(historyFile(), "genre=\"jazz\"\r\n");
    EXPECT_TRUE(errors().empty());

    // The same expression in other letters filters again but is not added.
    EXPECT_EQ(filter.apply("GENRE=\"jazz\"", history), Outcome::Applied);
    EXPECT_EQ(lastStatus(), "Filtering ON: GENRE=\"jazz\"");
    EXPECT_EQ(historyFile(), "genre=\"jazz\"\r\n");
    EXPECT_EQ(filter.apply("genre=\"rock\"", history), Outcome::Applied);
    EXPECT_EQ(albums().count(), 4u);
    EXPECT_EQ(historyFile(), "genre=\"rock\"\r\ngenre=\"jazz\"\r\n");
}

TEST_F(AlbumFilterRules, ShortTextsAreIgnoredAndTheEarlierFilterStays)
{
    ASSERT_EQ(filter.apply("genre=\"pop\"", history), Outcome::Applied);
    statuses.clear();
    for (const std::string text : {"", "x", "yr", " \tyr \t", "   "})
        EXPECT_EQ(filter.apply(text, history), Outcome::TooShort) << text;
    EXPECT_TRUE(albums().filtered());
    EXPECT_EQ(albums().filterText(), "genre=\"pop\"");
    EXPECT_TRUE(statuses.empty());
    EXPECT_TRUE(errors().empty());
    // Three characters are looked at (and here are no filter).
    EXPECT_EQ(filter.apply("yr ", history), Outcome::TooShort);
    EXPECT_EQ(filter.apply("yr1", history), Outcome::Invalid);
}

TEST_F(AlbumFilterRules, InvalidExpressionIsReportedAndTheEarlierFilterStays)
{
    ASSERT_EQ(filter.apply("genre=\"pop\"", history), Outcome::Applied);
    // The fixed text, the expression, then why the engine refused it.
    const std::pair<std::string, std::string> refused[] = {
        {"genre = 'rock", "Missing closing quote for the string at position 9"},
        {"artist", "A filter needs a condition, but the expression gives text"},
        {"genr=\"pop\"", "Unknown field 'genr' at position 1"},
        {"yr = 1976", "Type mismatch: cannot compare text with number at position 4"},
    };
    std::vector<std::string> expected;
    for (const auto& [expression, reason] : refused) {
        EXPECT_EQ(filter.apply(expression, history), Outcome::Invalid) << expression;
        expected.push_back("Invalid Filter Expression: \r" + expression + "\r" + reason);
    }
    EXPECT_EQ(errors(), expected);
    EXPECT_EQ(search::invalidFilterMessage("genre=\"pop\"", albums().table()), "");
    EXPECT_TRUE(albums().filtered());
    EXPECT_EQ(albums().count(), 4u);
    EXPECT_EQ(historyFile(), "genre=\"pop\"\r\n");
}

TEST_F(AlbumFilterRules, ExpressionWithoutHitsIsReportedAndLeavesTheGridUnfiltered)
{
    ASSERT_EQ(filter.apply("genre=\"pop\"", history), Outcome::Applied);
    albums().goToRecord(5);
    EXPECT_EQ(filter.apply("genre=\"polka\"", history), Outcome::NoRecords);
    EXPECT_EQ(errors(), std::vector<std::string>{"Sorry, no records pass filter: \rgenre=\"polka\""});
    EXPECT_FALSE(albums().filtered());
    EXPECT_EQ(albums().count(), kAlbumsInCollection + 2);
    EXPECT_EQ(albums().recno(), 5u) << "the current album stays";
    EXPECT_EQ(historyFile(), "genre=\"pop\"\r\n");
    filter.windowClosed();
    EXPECT_EQ(lastStatus(), "");
}

TEST_F(AlbumFilterRules, CancelSwitchesOffKeepingTheAlbumAndClearsTheStatus)
{
    ASSERT_EQ(filter.apply("genre=\"jazz\"", history), Outcome::Applied);
    albums().next();
    const std::uint32_t current = albums().recno();
    filter.windowClosed();
    EXPECT_EQ(lastStatus(), "Filtering ON: genre=\"jazz\"") << "a filter in force keeps its status text";
    filter.cancel();
    EXPECT_FALSE(albums().filtered());
    EXPECT_EQ(albums().count(), kAlbumsInCollection + 2);
    EXPECT_EQ(albums().recno(), current);
    EXPECT_EQ(lastStatus(), "");
}

}  // namespace
