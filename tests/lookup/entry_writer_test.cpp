// The xmcd entry written for a submission: the fixed layout line by line,
// extended data from the notes, revisions, an accepted submission as a
// cross-check, and the catalogue values it is written from.
#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "lookup/entry_writer.h"
#include "lookup/pasted_entry_reader.h"
#include "lookup/server_entry_reader.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"
#include "support/xmcd_fixture.h"

namespace {

using lookup::SubmissionAlbum;
using lookup::writeEntry;

const platform::DiscToc kFourTracks = test_support::discToc(test_support::kFourTrackOffsets,
                                                            test_support::kFourTrackLeadOut);

SubmissionAlbum plainAlbum()
{
    return {"Some Artist", "Some Album", "", "rock", "0", "Bought in a shop.\r\nSecond line",
            {"One", "Two", "Three", "Four"}};
}

TEST(EntryWriter, AlbumWithoutYearOrExtendedDataFollowsTheLayout)
{
    const std::vector<std::string> expected{
        "# xmcd",
        "#",
        "# Track frame offsets:",
        "# 150",
        "# 23280",
        "# 40500",
        "# 56324",
        "#",
        "# Disc length: 900 seconds",
        "#",
        "# Revision: 1",
        "# Submitted via: Vinora 5.2b",
        "#",
        "DISCID=1b038204",
        "DTITLE=Some Artist / Some Album",
        "DGENRE=rock",
        "TTITLE0=One",
        "TTITLE1=Two",
        "TTITLE2=Three",
        "TTITLE3=Four",
        "EXTD=",
        "EXTT0=",
        "EXTT1=",
        "EXTT2=",
        "EXTT3=",
        "PLAYORDER=",
    };
    const auto lines = writeEntry(plainAlbum(), kFourTracks, "1b038204", "5.2b");
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
}

TEST(EntryWriter, YearIsWrittenWhenNotBlank)
{
    SubmissionAlbum album = plainAlbum();
    album.year = "   ";
    auto lines = writeEntry(album, kFourTracks, "1b038204", "5.2b");
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](auto& l) { return l.starts_with("DYEAR"); }), 0);
    album.year = "1973";
    lines = writeEntry(album, kFourTracks, "1b038204", "5.2b");
    EXPECT_EQ(lines[15], "DYEAR=1973");
    EXPECT_EQ(lines[16], "DGENRE=rock");
}

TEST(EntryWriter, ExtendedDataComeFromTheNotes)
{
    SubmissionAlbum album = plainAlbum();
    album.notes = "A remark\r\n"
                  "EXTD=First part\r\n"
                  "EXTT1=\r\n"                  // a placeholder gives way to a later line
                  "EXTT1=Recorded live\r\n"
                  "EXTT1=A later note\r\n"      // the first real one stays
                  "COVER=/tmp/cover.jpg\r\n"
                  "EXTD= second part\r\n"
                  "EXTT03=Leading zero\r\n"
                  "EXTT100=Three digits\r\n"
                  "EXTT9=No such track\n"
                  "extd=lower case";
    const auto lines = writeEntry(album, kFourTracks, "1b038204", "5.2b");
    const std::vector<std::string> tail(lines.end() - 7, lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"EXTD=First part", "EXTD= second part", "EXTT0=",
                                              "EXTT1=Recorded live", "EXTT2=", "EXTT03=Leading zero", "PLAYORDER="}))
        << testing::PrintToString(lines);
}

TEST(EntryWriter, RevisionIsTheStoredOnePlusOneAtMost126)
{
    EXPECT_EQ(lookup::nextRevision("0"), 1);
    EXPECT_EQ(lookup::nextRevision("9"), 10);
    EXPECT_EQ(lookup::nextRevision("~"), 79);
    EXPECT_EQ(lookup::nextRevision(""), 1);
    EXPECT_EQ(lookup::nextRevision(" "), 1);
    EXPECT_EQ(lookup::nextRevision("\xfe"), 126);
}

TEST(EntryWriter, MatchesAnEntryTheServerAccepted)
{
    // The accepted test submission, written again from its own values; it
    // wrote its offsets after a TAB and carried revision 0.
    const auto mail = test_support::fileLines(test_support::fixturePath("cddb/submissions/valid_ascii.eml"));
    const std::vector<std::string> accepted(mail.begin() + 4, mail.end());
    const auto disc = test_support::entryDisc(accepted);
    SubmissionAlbum album{"The Tidewater Four", "Harbour Suite", "2019", "Folk Rock", "0", "",
                          {"Low Tide", "Gulls Over The Pier", "Net Mender", "The Long Swell", "Homeward"}};
    const auto lines = writeEntry(album, test_support::discToc(disc.offsets, disc.discLength * 75), disc.discId, "5.2b");
    ASSERT_EQ(lines.size(), accepted.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string want = accepted[i];
        if (want.starts_with("#\t"))
            want.replace(0, 2, "# ");
        if (want.starts_with("# Revision: "))
            want = "# Revision: 1";
        EXPECT_EQ(lines[i], want) << "line " << i + 1;
    }
}

TEST(EntryWriter, ReadersGetBackWhatWasWritten)
{
    SubmissionAlbum album = plainAlbum();
    album.year = "2004";
    album.notes = "EXTD=About it\r\nEXTT2=About three";
    const auto lines = writeEntry(album, kFourTracks, "1b038204", "5.2b");

    lookup::AlbumEntry fromServer;
    fromServer.tracks.resize(4);
    for (const auto& line : lines)
        if (!lookup::readEntryLine(line, fromServer))
            break;
    EXPECT_EQ(fromServer.tracks[3].title, "Four");
    EXPECT_EQ(fromServer.year, "2004");
    EXPECT_EQ(fromServer.revision, "1");
    EXPECT_EQ(fromServer.notes, (std::vector<std::string>{"EXTD=About it", "EXTT2=About three"}));

    lookup::AlbumEntry pasted;
    lookup::EditMode mode = lookup::EditMode::AddOther;
    EXPECT_TRUE(lookup::readPastedLines(lines, mode, pasted).accepted);
    EXPECT_EQ(pasted.artist, "Some Artist");
    EXPECT_EQ(pasted.album, "Some Album");
    EXPECT_EQ(pasted.tracks.size(), 4u);
}

TEST(SubmissionAlbum, ReadsTheCurrentAlbumAndItsLiveTracksInOrder)
{
    test_support::TempDir dir;
    test_support::copyFixtureSet("xbase/small", dir.path());
    catalogue::Catalogue catalogue(dir.path());
    catalogue.createMissingFilesAndOpenViews();
    catalogue.allTracks().setFilter("NR=\"  1\"");
    catalogue.allTracks().setFiltered(true);
    ASSERT_TRUE(catalogue.albums()->goToRecord(1));

    const SubmissionAlbum album = lookup::loadSubmissionAlbum(catalogue, "7a0b3c0d");
    EXPECT_EQ(album.artist, "Pink Floyd");
    EXPECT_EQ(album.album, "The Dark Side of the Moon");
    EXPECT_EQ(album.year, "1973");
    EXPECT_EQ(album.genre, "rock");
    EXPECT_EQ(album.rev, "1");
    ASSERT_EQ(album.trackTitles.size(), 10u);  // the deleted "Time (old title)" is not one
    EXPECT_EQ(album.trackTitles[0], "Speak to Me");
    EXPECT_EQ(album.trackTitles[3], "Time");
    EXPECT_EQ(album.trackTitles[9], "Eclipse");
    // The track view's own filter is back.
    EXPECT_EQ(catalogue.allTracks()->filterText(), "NR=\"  1\"");
    EXPECT_TRUE(catalogue.allTracks()->filtered());
}

}  // namespace
