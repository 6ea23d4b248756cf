// An xmcd entry pasted from a web page: the staged scanner on the fixture
// entries and the documented examples, damaged text, and the check against
// the catalogue.
#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "lookup/pasted_entry_import.h"
#include "lookup/pasted_entry_reader.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "support/xmcd_fixture.h"

namespace {

using lookup::AlbumEntry;
using lookup::EditMode;
using lookup::readPastedLines;
using test_support::cddbFixtureLines;

std::vector<std::string> lengths(const AlbumEntry& entry)
{
    std::vector<std::string> out;
    for (const auto& row : entry.tracks)
        out.push_back(row.length);
    return out;
}

const std::vector<std::string> kFourTrackEntry{
    "# xmcd",
    "#",
    "# Track frame offsets:",
    "#       150",
    "#       23280",
    "#       40500",
    "#       56324",
    "#",
    "# Disc length: 900 seconds",
    "#",
    "# Revision: 5",
    "# Submitted via: somewhere 1.0",
    "#",
    "DISCID=1b038204",
    "DTITLE=Some Artist / Some Album",
    "DYEAR=2001",
    "DGENRE=Rock",
    "TTITLE0=One",
    "TTITLE1=Two",
    "TTITLE2=First half ",
    "TTITLE2=second half",
    "TTITLE3=Four",
    "EXTD=not read here",
    "PLAYORDER=",
};

TEST(PastedEntryReader, FourTrackEntryFillsANewAlbum)
{
    AlbumEntry entry;
    EditMode mode = EditMode::AddOther;
    const auto outcome = readPastedLines(kFourTrackEntry, mode, entry);
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.discId, "1b038204");
    EXPECT_EQ(outcome.discLength, 900);
    EXPECT_TRUE(outcome.checkCatalogue);
    EXPECT_EQ(mode, EditMode::AddFromDrive);
    EXPECT_EQ(entry.artist, "Some Artist");
    EXPECT_EQ(entry.album, "Some Album");
    EXPECT_EQ(entry.genre, "Rock");
    EXPECT_EQ(entry.year, "2001");
    EXPECT_EQ(entry.revision, "5");
    ASSERT_EQ(entry.tracks.size(), 4u);
    // From the offsets, unlike the 306/228/208/148 the TOC gives.
    EXPECT_EQ(lengths(entry), (std::vector<std::string>{" 5:06", " 3:47", " 3:28", " 2:31"}));
    EXPECT_EQ(entry.tracks[0].number, "01");
    EXPECT_EQ(entry.tracks[3].number, "04");
    // Only a title's first line counts.
    EXPECT_EQ(entry.tracks[2].title, "First half");
    EXPECT_TRUE(entry.notes.empty());
}

TEST(PastedEntryReader, ModifyingChangesOnlyNumbersAndTitles)
{
    AlbumEntry entry;
    entry.artist = "Kept";
    entry.genre = "jazz";
    entry.revision = "2";
    entry.tracks = {{"  1", " 1:00", "a"}, {"  2", " 2:00", "b"}, {"  3", " 3:00", "c"}};
    EditMode mode = EditMode::Modify;
    const auto outcome = readPastedLines(kFourTrackEntry, mode, entry);
    EXPECT_TRUE(outcome.accepted);
    EXPECT_FALSE(outcome.checkCatalogue);
    EXPECT_EQ(mode, EditMode::Modify);
    EXPECT_EQ(entry.artist, "Kept");
    EXPECT_EQ(entry.genre, "jazz");
    EXPECT_EQ(entry.revision, "2");
    ASSERT_EQ(entry.tracks.size(), 3u);  // TTITLE3 has no row to go to
    EXPECT_EQ(entry.tracks[0].number, "01");
    EXPECT_EQ(entry.tracks[0].title, "One");
    EXPECT_EQ(entry.tracks[2].title, "First half");
    EXPECT_EQ(lengths(entry), (std::vector<std::string>{" 1:00", " 2:00", " 3:00"}));
}

TEST(PastedEntryReader, RealEntriesGiveArtistAlbumAndEveryTrack)
{
    for (const std::string& file : test_support::cddbEntryFiles()) {
        SCOPED_TRACE(file);
        const auto lines = test_support::fileLines(file);
        const auto disc = test_support::entryDisc(lines);
        AlbumEntry entry;
        EditMode mode = EditMode::AddOther;
        const auto outcome = readPastedLines(lines, mode, entry);
        EXPECT_TRUE(outcome.accepted);
        EXPECT_EQ(outcome.discId, disc.discId);
        EXPECT_EQ(outcome.discLength, disc.discLength);
        // The broken data/c00ccd0d still gets its row 8 (TTITLE8 makes it).
        ASSERT_EQ(entry.tracks.size(), disc.offsets.size());
        EXPECT_FALSE(entry.album.empty());
        for (const auto& row : entry.tracks)
            EXPECT_EQ(row.length.empty(), row.number.empty()) << row.title;
    }
}

TEST(PastedEntryReader, DiscTitleContinuationsAreJoinedAndTitlesKeepTheirFirstLine)
{
    AlbumEntry entry;
    EditMode mode = EditMode::AddOther;
    readPastedLines(cddbFixtureLines("entries/jazz/41074305"), mode, entry);
    EXPECT_EQ(entry.artist, "The Quentin Marlowe Quintet With Special Guests From The Greater Metropolitan Big Band");
    EXPECT_NE(entry.album.find("Complete And Unedited, Newly Remastered"), std::string::npos) << entry.album;
    EXPECT_EQ(entry.tracks[1].title, "So Long That It");
    EXPECT_EQ(entry.genre, "Jazz");
}

TEST(PastedEntryReader, VariousArtistsTitleSplitsAtTheFirstSlash)
{
    AlbumEntry entry;
    EditMode mode = EditMode::AddOther;
    readPastedLines(cddbFixtureLines("entries/misc/5506cf08"), mode, entry);
    EXPECT_EQ(entry.artist, "Various");
    EXPECT_EQ(entry.album, "Harbour Lights: A Compilation");
    bool secondSlash = false;
    for (const auto& row : entry.tracks)
        secondSlash |= row.title.find("North/South") != std::string::npos;
    EXPECT_TRUE(secondSlash);
}

TEST(PastedEntryReader, RowCountFollowsTheTitleNumbers)
{
    auto lines = kFourTrackEntry;
    lines.erase(lines.begin() + 18, lines.begin() + 21);  // only TTITLE0 and TTITLE3
    lines.insert(lines.begin() + 19, "TTITLE5=Six");
    AlbumEntry entry;
    EditMode mode = EditMode::AddOther;
    EXPECT_TRUE(readPastedLines(lines, mode, entry).accepted);
    ASSERT_EQ(entry.tracks.size(), 6u);
    EXPECT_EQ(entry.tracks[1].title, "");
    EXPECT_EQ(entry.tracks[3].title, "Four");
    EXPECT_EQ(entry.tracks[3].length, " 2:31");  // the fourth offset is the last
    EXPECT_EQ(entry.tracks[5].number, "06");
    EXPECT_EQ(entry.tracks[5].length, "");  // no offset describes it
}

TEST(PastedEntryReader, TextAroundTheEntryIsSkipped)
{
    std::vector<std::string> page{"freedb.example  Search  Home", "Some page text with = signs", ""};
    page.insert(page.end(), kFourTrackEntry.begin(), kFourTrackEntry.end());
    page.push_back("Back to top");
    AlbumEntry entry;
    EditMode mode = EditMode::AddOther;
    EXPECT_TRUE(readPastedLines(page, mode, entry).accepted);
    EXPECT_EQ(entry.tracks.size(), 4u);
}

TEST(PastedEntryReader, DiscTitleWithoutSlashIsAllAlbum)
{
    auto lines = kFourTrackEntry;
    lines[14] = "DTITLE=  Just A Title  ";
    AlbumEntry entry;
    entry.artist = "old";
    EditMode mode = EditMode::AddOther;
    EXPECT_TRUE(readPastedLines(lines, mode, entry).accepted);
    EXPECT_EQ(entry.artist, "");
    EXPECT_EQ(entry.album, "Just A Title");
}

TEST(PastedEntryReader, MissingPiecesMakeItNoEntry)
{
    struct Case {
        const char* what;
        std::size_t dropLine;
    };
    for (const Case& c : {Case{"offsets header", 2}, Case{"end of offsets", 7}, Case{"disc length", 8},
                          Case{"DISCID", 13}, Case{"DTITLE", 14}}) {
        SCOPED_TRACE(c.what);
        auto lines = kFourTrackEntry;
        lines.erase(lines.begin() + static_cast<long>(c.dropLine));
        AlbumEntry entry;
        EditMode mode = EditMode::AddOther;
        EXPECT_FALSE(readPastedLines(lines, mode, entry).accepted);
        EXPECT_EQ(mode, EditMode::AddOther);
    }
}

// The broken real entries: a number that does not read is skipped like any
// other text, so the stage it belongs to goes on.
TEST(PastedEntryReader, BrokenRealEntries)
{
    AlbumEntry entry;
    EditMode mode = EditMode::AddOther;
    // "17aaaaaaa347" is no offset: track 1 then runs to the third offset.
    auto outcome = readPastedLines(cddbFixtureLines("xmcd-corrupt/corrupt_offset_integer.txt"), mode, entry);
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(entry.tracks.size(), 13u);
    EXPECT_EQ(entry.tracks[0].length, " 7:30");  // (34092 - 150) / 75 - 2
    EXPECT_EQ(entry.tracks[12].length, "");      // no offset left for it

    // A disc length in words never ends that stage: nothing after it counts.
    entry = {};
    mode = EditMode::AddOther;
    outcome = readPastedLines(cddbFixtureLines("xmcd-corrupt/corrupt_disc_length.txt"), mode, entry);
    EXPECT_FALSE(outcome.accepted);
    EXPECT_FALSE(outcome.discLength);
    EXPECT_FALSE(outcome.discId);

    entry = {};
    mode = EditMode::AddOther;
    outcome = readPastedLines(cddbFixtureLines("xmcd-corrupt/corrupt_offset_last_line_missing.txt"), mode, entry);
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(entry.tracks.size(), 13u);
    // The last offset read takes the disc length rule: 3279 - 2879 - 2.
    EXPECT_EQ(entry.tracks[11].length, " 6:38");
    EXPECT_EQ(entry.tracks[12].length, "");
}

TEST(PastedEntryReader, BadLinesAreSkipped)
{
    auto lines = kFourTrackEntry;
    const std::string longText(10000, 'x');
    const std::vector<std::string> bad{
        "TTITLEx=Not a number",
        "TTITLE=No number",
        "TTITLE-1=Negative",
        "TTITLE99=Past any disc",
        "TTITLE123456789012345678901234567890=Huge",
        "TTITLE no equals sign",
        "DTITLE no equals sign",
        std::string("TTITLE2\x00\xff=binary", 16),
        "DGENRE=" + longText,
    };
    lines[18] = "TTITLE1=" + longText;
    lines.insert(lines.begin() + 17, bad.begin(), bad.end());
    lines.insert(lines.begin() + 13, "DISCID=nothex!!");
    lines.insert(lines.begin() + 10, "# Revision: x");
    lines.insert(lines.begin() + 5, "#  17aaa347");
    lines.push_back(std::string("\x00\x01\x02\xff\xfe", 5));
    AlbumEntry entry;
    EditMode mode = EditMode::AddOther;
    const auto outcome = readPastedLines(lines, mode, entry);
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.discId, "1b038204");
    EXPECT_EQ(entry.revision, "5");
    EXPECT_EQ(entry.tracks.size(), 4u);
    EXPECT_EQ(lengths(entry), (std::vector<std::string>{" 5:06", " 3:47", " 3:28", " 2:31"}));
    EXPECT_EQ(entry.tracks[1].title, std::string(240, 'x'));  // cut to 240
    EXPECT_EQ(entry.genre.size(), longText.size());           // written as given
}

TEST(PastedEntryReader, UpperCaseIdentifierIsLowered)
{
    auto lines = kFourTrackEntry;
    lines[13] = "DISCID=  1B038204,2c038204";
    AlbumEntry entry;
    EditMode mode = EditMode::AddOther;
    EXPECT_EQ(readPastedLines(lines, mode, entry).discId, "1b038204");
}

class PastedEntryImport : public testing::Test {
protected:
    void SetUp() override
    {
        test_support::copyFixtureSet("xbase/small", dir.path());
        catalogue.createMissingFilesAndOpenViews();
    }

    bool import(std::vector<std::string> lines)
    {
        return lookup::readPastedEntry(lines, mode, entry, state, catalogue,
                                       [this](const std::string& m) { errors.push_back(m); });
    }

    test_support::TempDir dir;
    catalogue::Catalogue catalogue{dir.path()};
    common::LookupState state;
    AlbumEntry entry;
    EditMode mode = EditMode::AddOther;
    std::vector<std::string> errors;
};

TEST_F(PastedEntryImport, NewDiscFillsTheFormAndTheProgramValues)
{
    EXPECT_FALSE(import(kFourTrackEntry));
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(state.currentAlbumId, "1b038204");
    EXPECT_EQ(state.runningSeconds, 900);
    EXPECT_EQ(mode, EditMode::AddFromDrive);
}

TEST_F(PastedEntryImport, CataloguedIdentifierHighlightsThatAlbum)
{
    auto lines = kFourTrackEntry;
    lines[13] = "DISCID=7a0b3c0d";
    catalogue.albums()->goToRecord(8);
    EXPECT_TRUE(import(lines));
    EXPECT_EQ(errors,
              std::vector<std::string>{"An album with this calculated ID already exists\rand will be highlighted"});
    EXPECT_EQ(catalogue.albums()->recno(), 1u);
    EXPECT_EQ(catalogue.albums().order(), "ARTIST");
}

TEST_F(PastedEntryImport, ModifyingSkipsTheCatalogueCheck)
{
    auto lines = kFourTrackEntry;
    lines[13] = "DISCID=7a0b3c0d";
    mode = EditMode::Modify;
    entry.tracks.resize(4);
    catalogue.albums()->goToRecord(8);
    EXPECT_FALSE(import(lines));
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(catalogue.albums()->recno(), 8u);
    EXPECT_EQ(state.currentAlbumId, "7a0b3c0d");
}

TEST_F(PastedEntryImport, TextThatIsNoEntryIsReportedAndKeepsWhatWasRead)
{
    auto lines = kFourTrackEntry;
    lines.erase(lines.begin() + 14);  // no DTITLE
    lines[13] = "DISCID=7a0b3c0d";
    EXPECT_FALSE(import(lines));
    EXPECT_EQ(errors, std::vector<std::string>{"Invalid XCMD format"});
    // Already set as they were read.
    EXPECT_EQ(state.currentAlbumId, "7a0b3c0d");
    EXPECT_EQ(state.runningSeconds, 900);
    EXPECT_EQ(entry.tracks.size(), 4u);
    EXPECT_EQ(mode, EditMode::AddOther);
}

}  // namespace
