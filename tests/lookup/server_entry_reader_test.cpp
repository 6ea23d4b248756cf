// The server's xmcd entry read line by line into the edit form's model: the
// real fixture entries, the documented examples, and lines no entry should
// hold.
#include <gtest/gtest.h>

#include "lookup/server_entry_reader.h"
#include "support/xmcd_fixture.h"

namespace {

using lookup::AlbumEntry;
using lookup::readEntryLine;

// A form prepared for a disc of `tracks` tracks, as the lookup leaves it.
AlbumEntry formFor(std::size_t tracks)
{
    AlbumEntry entry;
    entry.genre = "misc";  // the category of the query reply
    entry.year = "1999";
    entry.tracks.resize(tracks, {"  1", " 3:00", "Track 1"});
    lookup::startServerEntry(entry);
    return entry;
}

// Feeds every line up to the end of the entry; returns how many were taken.
std::size_t readAll(const std::vector<std::string>& lines, AlbumEntry& entry)
{
    std::size_t taken = 0;
    for (const std::string& line : lines) {
        ++taken;
        if (!readEntryLine(line, entry))
            break;
    }
    return taken;
}

TEST(ServerEntryReader, StartClearsTitlesNotesAndRevision)
{
    AlbumEntry entry;
    entry.tracks = {{"  1", " 1:00", "Old"}};
    entry.notes = {"EXTD=old"};
    entry.revision = "7";
    lookup::startServerEntry(entry);
    EXPECT_EQ(entry.tracks[0].title, "");
    EXPECT_EQ(entry.tracks[0].length, " 1:00");
    EXPECT_TRUE(entry.notes.empty());
    EXPECT_EQ(entry.revision, "0");
}

TEST(ServerEntryReader, ContinuationLinesAreJoinedAcrossRealEntries)
{
    AlbumEntry entry = formFor(9);
    const auto lines = test_support::cddbFixtureLines("entries/classical/6f0c6509");
    EXPECT_EQ(readAll(lines, entry), lines.size());  // PLAYORDER is the last line
    // Split mid-word, then cut to the 73 characters of a stored title.
    EXPECT_EQ(entry.tracks[0].title, "Sonata No. 14 in C-sharp Minor, Op. 27, No. 2 Moonlight - I. Adagio soste");
    EXPECT_EQ(entry.tracks[3].title, "Sonata No. 8 in C Minor, Op. 13 Pathetique - I. Grove; Allegro molto e co");
    EXPECT_EQ(entry.tracks[6].title, "Sonata No. 23 in F Minor, Op. 57 Appassionata - I. Allegro assai");
    EXPECT_EQ(entry.tracks[8].title, "III. Allegro ma non troppo; Presto");
    EXPECT_EQ(entry.genre, "classical");
    EXPECT_EQ(entry.year, "1998");
    EXPECT_EQ(entry.revision, "2");
    EXPECT_TRUE(entry.notes.empty());  // only empty EXTD/EXTT lines
}

TEST(ServerEntryReader, TitleSplitAfterABlankKeepsTheBlank)
{
    AlbumEntry entry = formFor(5);
    readAll(test_support::cddbFixtureLines("entries/jazz/41074305"), entry);
    EXPECT_EQ(entry.tracks[1].title, "So Long That It Wraps Around");
    EXPECT_EQ(entry.tracks[2].title.size(), 73u);
    EXPECT_EQ(entry.genre, "jazz");
    // Extended data travel in the notes, each line as sent, in order.
    ASSERT_EQ(entry.notes.size(), 4u);
    EXPECT_EQ(entry.notes[0].rfind("EXTD=Recorded live over three nights.", 0), 0u);
    EXPECT_EQ(entry.notes[1], "EXTD= pieces without adding or removing any character.");
    EXPECT_EQ(entry.notes[2], "EXTT1=First part of a split track note / ");
    EXPECT_EQ(entry.notes[3], "EXTT1=second part of the same note.");
}

TEST(ServerEntryReader, DoubledBackslashesInTitlesBecomeOne)
{
    AlbumEntry entry = formFor(3);
    readAll(test_support::cddbFixtureLines("entries/newage/31043304"), entry);
    EXPECT_EQ(entry.tracks[1].title, "Path\\Way");
    EXPECT_EQ(entry.tracks[2].title, "C:\\Music\\Tides");
    // Notes keep the escapes as sent.
    ASSERT_FALSE(entry.notes.empty());
    EXPECT_NE(entry.notes[0].find("\\n"), std::string::npos);
}

TEST(ServerEntryReader, EveryFixtureEntryEndsAtPlayorderWithEveryTitle)
{
    for (const std::string& file : test_support::cddbEntryFiles()) {
        SCOPED_TRACE(file);
        const auto lines = test_support::fileLines(file);
        const auto tracks = test_support::entryDisc(lines).offsets.size();
        AlbumEntry entry = formFor(tracks);
        const std::size_t taken = readAll(lines, entry);
        EXPECT_EQ(lines[taken - 1], "PLAYORDER=");
        std::size_t titled = 0;
        for (const auto& row : entry.tracks)
            titled += !row.title.empty();
        // The broken entry filed under data/ lacks TTITLE7.
        EXPECT_EQ(titled, file.ends_with("data/c00ccd0d") ? tracks - 1 : tracks);
        for (const auto& note : entry.notes)
            EXPECT_TRUE(note.starts_with("EXTD=") || note.starts_with("EXTT"));
    }
}

TEST(ServerEntryReader, DocumentedExamples)
{
    AlbumEntry entry = formFor(3);
    EXPECT_TRUE(readEntryLine("TTITLE2=First half ", entry));
    EXPECT_TRUE(readEntryLine("TTITLE2=second half", entry));
    EXPECT_EQ(entry.tracks[2].title, "First half second half");

    readEntryLine("DGENRE=Rock", entry);
    EXPECT_EQ(entry.genre, "rock");
    readEntryLine("DYEAR=", entry);
    EXPECT_EQ(entry.year, "1999");
    readEntryLine("DYEAR=2003", entry);
    EXPECT_EQ(entry.year, "2003");

    readEntryLine("# Revision: 3", entry);
    EXPECT_EQ(entry.revision, "3");
    readEntryLine("# Revision: 10", entry);
    EXPECT_EQ(entry.revision, ":");
    readEntryLine("# Revision: 80", entry);
    EXPECT_EQ(entry.revision, "~");
}

TEST(ServerEntryReader, EntryEndsAtPlayOrAtTheReplysDot)
{
    AlbumEntry entry = formFor(1);
    EXPECT_FALSE(readEntryLine("PLAYORDER=", entry));
    EXPECT_FALSE(readEntryLine("PLAYORDER=1,2", entry));
    EXPECT_FALSE(readEntryLine(".", entry));
    EXPECT_FALSE(readEntryLine(".\r", entry));
    EXPECT_TRUE(readEntryLine("", entry));
    EXPECT_TRUE(readEntryLine("# xmcd", entry));
}

TEST(ServerEntryReader, OnlyExtendedDataWithAValueReachTheNotes)
{
    AlbumEntry entry = formFor(2);
    for (const char* line : {"EXTD=", "EXTD= ", "EXTT0=\t", "EXTD= YEAR: 1997", "EXTT1=Live\r", "DISCID=1234abcd",
                             "DTITLE=Someone / Something", "EXTRA=ignored"})
        readEntryLine(line, entry);
    EXPECT_EQ(entry.notes, (std::vector<std::string>{"EXTD= YEAR: 1997", "EXTT1=Live"}));
    EXPECT_EQ(entry.artist, "");
    EXPECT_EQ(entry.album, "");
}

// Input no well-formed entry holds: each such line is skipped (nothing in
// the model changes) or cut to the model's limits, and reading goes on.
TEST(ServerEntryReader, BadLinesAreSkippedOrCut)
{
    AlbumEntry entry = formFor(2);
    entry.revision = "4";
    const AlbumEntry before = entry;
    for (const char* line : {"# Revision: abc", "# Revision: ", "# Revision: 3x", "TTITLEx=Title", "TTITLE=Title",
                             "TTITLE-1=Title", "TTITLE2=Past the disc", "TTITLE99999999999999999999=Far past",
                             "TTITL", "DGEN", "=", "=value"})
        EXPECT_TRUE(readEntryLine(line, entry)) << line;
    EXPECT_EQ(entry.revision, "4");
    EXPECT_EQ(entry.tracks[0].title, before.tracks[0].title);
    EXPECT_EQ(entry.tracks[1].title, before.tracks[1].title);
    EXPECT_EQ(entry.tracks.size(), 2u);

    // A huge revision saturates to the last revision character.
    readEntryLine("# Revision: 99999999999999999999999", entry);
    EXPECT_EQ(entry.revision, "~");

    const std::string longText(10000, 'a');
    EXPECT_TRUE(readEntryLine("TTITLE0=" + longText, entry));
    EXPECT_EQ(entry.tracks[0].title, std::string(73, 'a'));
    EXPECT_TRUE(readEntryLine("DGENRE=" + longText, entry));
    EXPECT_EQ(entry.genre, std::string(99, 'a'));
    EXPECT_TRUE(readEntryLine("DYEAR=" + longText, entry));
    EXPECT_EQ(entry.year.size(), 99u);
    // Extended data are kept whole, as sent.
    EXPECT_TRUE(readEntryLine("EXTD=" + longText, entry));
    EXPECT_EQ(entry.notes.back().size(), 10005u);

    // Bytes of any value are text to the reader: kept, never interpreted.
    const std::string binary("TTITLE1=\x01\x00\xff\xfe\x1b[0m\x7f", 15);
    EXPECT_TRUE(readEntryLine(binary, entry));
    EXPECT_EQ(entry.tracks[1].title, std::string("\x01\x00\xff\xfe\x1b[0m\x7f", 7));
    EXPECT_TRUE(readEntryLine(std::string("\x00\x00=\x00", 4), entry));
}

}  // namespace
