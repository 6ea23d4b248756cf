// Filter history files: reading every line-end form, the case rule over
// Windows-1252 letters, and writes that go to disk at once or not at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "search/filter_history.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "xbase/xbase_error.h"

namespace {

using search::FilterHistory;
using Lines = std::vector<std::string>;

class FilterHistoryFile : public testing::Test {
protected:
    void write(const std::string& name, const std::string& text) const
    {
        std::ofstream(dir.file(name), std::ios::binary) << text;
    }
    FilterHistory loaded(FilterHistory::Table table = FilterHistory::Table::Albums) const
    {
        FilterHistory history(dir.path() + "/", table);
        history.load();
        return history;
    }

    test_support::TempDir dir;
};

TEST(FilterHistoryText, LinesSplitAtEveryLineEndWithoutATrailingEmptyEntry)
{
    EXPECT_EQ(FilterHistory::parse(""), Lines{});
    EXPECT_EQ(FilterHistory::parse("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(FilterHistory::parse("a\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(FilterHistory::parse("a\rb\r"), (Lines{"a", "b"}));
    // A blank line inside is an entry; a file ending in CR CR LF has one.
    EXPECT_EQ(FilterHistory::parse("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(FilterHistory::parse("a\r\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(FilterHistory::parse(std::string("x\0y\r\n", 5)), Lines{std::string("x\0y", 3)});
    for (const std::string text : {"a\r\n\r\nb\r\n", "\r\n", "genre=\"rock\"\r\nyr>\"1990\"\r\n"})
        EXPECT_EQ(FilterHistory::text(FilterHistory::parse(text)), text);
}

TEST(FilterHistoryText, CaseIsIgnoredForWindows1252LettersToo)
{
    EXPECT_TRUE(FilterHistory::sameExpression("GENRE=\"Jazz\"", "genre=\"jazz\""));
    EXPECT_TRUE(FilterHistory::sameExpression("artist=\"\xc9" "dith\"", "ARTIST=\"\xe9" "DITH\""));
    EXPECT_TRUE(FilterHistory::sameExpression("\x8a\x8c\x8e\x9f", "\x9a\x9c\x9e\xff"));
    // The multiplication and division signs are not a letter pair.
    EXPECT_FALSE(FilterHistory::sameExpression("\xd7", "\xf7"));
    EXPECT_FALSE(FilterHistory::sameExpression("genre=\"jazz\"", "genre=\"jazz\" "));
}

TEST_F(FilterHistoryFile, MissingFileGivesNoEntriesAndTheTablesKeepTheirOwnFiles)
{
    EXPECT_TRUE(loaded().entries().empty());
    write("albums.ini", "genre=\"rock\"\r\n");
    write("tracks.ini", "secs>\"300\"\r\n");
    EXPECT_EQ(loaded().entries(), Lines{"genre=\"rock\""});
    EXPECT_EQ(loaded(FilterHistory::Table::Tracks).entries(), Lines{"secs>\"300\""});
}

TEST_F(FilterHistoryFile, FileInAnyLetterCaseIsReadAndRewritten)
{
    write("Albums.INI", "genre=\"pop\"\r\n");
    FilterHistory history = loaded();
    EXPECT_EQ(history.entries(), Lines{"genre=\"pop\""});
    EXPECT_TRUE(history.add("genre=\"rock\""));
    EXPECT_EQ(test_support::readFile(dir.file("Albums.INI")), "genre=\"rock\"\r\ngenre=\"pop\"\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("albums.ini")));
}

TEST_F(FilterHistoryFile, AddPutsANewExpressionFirstAndSavesAtOnce)
{
    write("albums.ini", "genre=\"pop\"\r\nyr=\"1976\"\r\n");
    FilterHistory history = loaded();
    EXPECT_TRUE(history.add("genre=\"jazz\""));
    EXPECT_EQ(test_support::readFile(dir.file("albums.ini")), "genre=\"jazz\"\r\ngenre=\"pop\"\r\nyr=\"1976\"\r\n");
    EXPECT_FALSE(history.add("GENRE=\"POP\""));
    EXPECT_EQ(history.entries().size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(dir.file("albums.ini.new")));
}

TEST_F(FilterHistoryFile, RemoveTakesTheEntryInAnyCaseAndRewritesTheFile)
{
    write("albums.ini", "genre=\"pop\"\r\nyr=\"1976\"\r\ngenre=\"rock\"\r\n");
    FilterHistory history = loaded();
    EXPECT_TRUE(history.remove("YR=\"1976\""));
    EXPECT_EQ(test_support::readFile(dir.file("albums.ini")), "genre=\"pop\"\r\ngenre=\"rock\"\r\n");
    EXPECT_FALSE(history.remove("yr=\"1976\""));
    EXPECT_FALSE(history.remove(""));
    EXPECT_EQ(history.entries(), (Lines{"genre=\"pop\"", "genre=\"rock\""}));
}

TEST_F(FilterHistoryFile, FailedSaveThrowsAndLeavesListAndFileAsTheyWere)
{
    write("albums.ini", "genre=\"pop\"\r\n");
    FilterHistory history = loaded();
    // The new file cannot be made where a directory of its name stands.
    std::filesystem::create_directory(dir.file("albums.ini.new"));
    EXPECT_THROW(history.add("genre=\"rock\""), xbase::XbaseError);
    EXPECT_THROW(history.remove("genre=\"pop\""), xbase::XbaseError);
    EXPECT_EQ(history.entries(), Lines{"genre=\"pop\""});
    EXPECT_EQ(test_support::readFile(dir.file("albums.ini")), "genre=\"pop\"\r\n");
}

TEST_F(FilterHistoryFile, UnreadableFileThrowsNamingIt)
{
    std::filesystem::create_directory(dir.file("albums.ini"));
    try {
        loaded();
        FAIL() << "no error";
    } catch (const xbase::XbaseError& e) {
        EXPECT_NE(std::string(e.what()).find("albums.ini"), std::string::npos) << e.what();
    }
}

}  // namespace
