// Track lists pasted from web pages: each reader's rules on small lists, and
// every reader on text copied from real pages.
#include <gtest/gtest.h>

#include "lookup/track_list_readers.h"
#include "support/fixture_files.h"

namespace {

using lookup::AlbumEntry;
using lookup::EditMode;
using lookup::TrackListResult;
using lookup::TrackRow;

using Lines = std::vector<std::string>;

std::vector<std::string> column(const AlbumEntry& entry, std::string TrackRow::*cell)
{
    std::vector<std::string> out;
    for (const TrackRow& row : entry.tracks)
        out.push_back(row.*cell);
    return out;
}
std::vector<std::string> titles(const AlbumEntry& entry) { return column(entry, &TrackRow::title); }
std::vector<std::string> lengths(const AlbumEntry& entry) { return column(entry, &TrackRow::length); }

// The form of a disc in the drive, or of an album being modified: rows with
// their lengths.
AlbumEntry formWithRows(std::size_t count)
{
    AlbumEntry entry;
    entry.artist = "Someone";
    for (std::size_t n = 1; n <= count; ++n)
        entry.tracks.push_back({"  " + std::to_string(n), " 1:0" + std::to_string(n), "Track " + std::to_string(n)});
    return entry;
}

TEST(PlainList, OneTrackPerNonBlankLine)
{
    Lines lines;
    for (int n = 1; n <= 12; ++n) {
        lines.push_back("  Song " + std::to_string(n) + " \r");
        lines.push_back("");
    }
    AlbumEntry entry = formWithRows(3);
    const TrackListResult result = lookup::readPlainList(lines, EditMode::AddOther, entry);
    EXPECT_EQ(result.tracks, 12u);
    ASSERT_EQ(entry.tracks.size(), 12u);
    EXPECT_EQ(entry.tracks.front().number, "01");
    EXPECT_EQ(entry.tracks.back().number, "12");
    EXPECT_EQ(entry.tracks.back().title, "Song 12");
    EXPECT_EQ(entry.tracks.back().length, "");
    EXPECT_EQ(entry.artist, "Various");
    EXPECT_TRUE(result.artistSelected);

    AlbumEntry disc = formWithRows(3);
    lookup::readPlainList({"One", "Two"}, EditMode::AddFromDrive, disc);
    EXPECT_EQ(titles(disc), (Lines{"One", "Two", "Track 3"})) << "rows past the lines keep their titles";
    lookup::readPlainList({"A", "B", "C", "D"}, EditMode::AddFromDrive, disc);
    EXPECT_EQ(titles(disc), (Lines{"A", "B", "C"})) << "lines past the disc's tracks are lost";
    EXPECT_EQ(lengths(disc), lengths(formWithRows(3)));
}

TEST(PlainList, ModifyingNeedsOneLinePerTrack)
{
    AlbumEntry album = formWithRows(3);
    const TrackListResult wrong = lookup::readPlainList({"One", "Two"}, EditMode::Modify, album);
    EXPECT_EQ(wrong.errors, Lines{"Number of non-blank lines do not match track count of 3"});
    EXPECT_EQ(wrong.tracks, 0u);
    EXPECT_TRUE(wrong.notices.empty());
    EXPECT_EQ(titles(album), titles(formWithRows(3)));

    const TrackListResult right = lookup::readPlainList({"One", "", "Two", "Three"}, EditMode::Modify, album);
    EXPECT_EQ(right.tracks, 3u);
    EXPECT_EQ(titles(album), (Lines{"One", "Two", "Three"}));
    EXPECT_EQ(album.artist, "Someone");
    EXPECT_FALSE(right.artistSelected);
}

TEST(TimedList, TitlesTimesAndPerformers)
{
    AlbumEntry entry;
    const TrackListResult result = lookup::readTimedList(
        {"Track Listing", "1. First Song 3:45", "  2. Second Song performed by A/B 10:02", "Total 13:47."},
        EditMode::AddOther, false, entry);
    EXPECT_EQ(result.tracks, 2u);
    EXPECT_EQ(titles(entry), (Lines{"First Song", "A,B / Second Song"}));
    EXPECT_EQ(lengths(entry), (Lines{" 3:45", "10:02"}));
    EXPECT_EQ(entry.tracks[1].number, "02");
    EXPECT_EQ(entry.artist, "Various");
    EXPECT_TRUE(result.artistSelected);
}

TEST(TimedList, TimeAtTheEndOfATrackLine)
{
    struct Case {
        std::string line, title, length;
    };
    const std::vector<Case> cases{
        {"1. Song - 4:07", "Song", " 4:07"},
        {"1. Long one 123:07", "Long one", "123:07"},
        {"1. Opus 5 4:07", "Opus 5", " 4:07"},
        {"1. Two marks go !-- 4:07", "Two marks go !", " 4:07"},
        {"1. Short 4:7", "Short 4:7", ""},
        {"1. a 4:07", "a 4:07", ""},  // too short to hold a title and a time
        {"1. Bracketed (4:07)", "Bracketed (4:07)", ""},
    };
    for (const Case& c : cases) {
        AlbumEntry entry;
        lookup::readTimedList({c.line}, EditMode::AddOther, false, entry);
        ASSERT_EQ(entry.tracks.size(), 1u) << c.line;
        EXPECT_EQ(entry.tracks[0].title, c.title) << c.line;
        EXPECT_EQ(entry.tracks[0].length, c.length) << c.line;
    }
}

TEST(TimedList, WhichModesTakeTheTimes)
{
    const Lines lines{"1. First 3:45", "2. Second 4:00"};
    AlbumEntry disc = formWithRows(3);
    lookup::readTimedList(lines, EditMode::AddFromDrive, true, disc);
    EXPECT_EQ(lengths(disc), lengths(formWithRows(3))) << "the disc's own lengths are exact";
    EXPECT_EQ(titles(disc), (Lines{"First", "Second", "Track 3"}));

    AlbumEntry timed = formWithRows(3);
    lookup::readTimedList(lines, EditMode::Modify, false, timed);
    EXPECT_EQ(lengths(timed), lengths(formWithRows(3)));

    AlbumEntry untimed = formWithRows(3);
    lookup::readTimedList(lines, EditMode::Modify, true, untimed);
    EXPECT_EQ(lengths(untimed), (Lines{" 3:45", " 4:00", ""}));

    // One track line without a time and no line's time is taken.
    const Lines oneUntimed{"1. First 3:45", "2. Second", "3. Third 4:00"};
    AlbumEntry added;
    lookup::readTimedList(oneUntimed, EditMode::AddOther, false, added);
    EXPECT_EQ(titles(added), (Lines{"First", "Second", "Third"}));
    EXPECT_EQ(lengths(added), (Lines{"", "", ""}));
    AlbumEntry album = formWithRows(3);
    lookup::readTimedList(oneUntimed, EditMode::Modify, true, album);
    EXPECT_EQ(lengths(album), lengths(formWithRows(3)));
}

TEST(ContinuedList, TitlesRunOnOverTheNextLines)
{
    AlbumEntry entry;
    const TrackListResult result = lookup::readContinuedList(
        {"Track Listings", "Disc: 1", "1. Long title that", "  continues here  ", "", "2. Next", "A1. side one"},
        EditMode::AddOther, entry);
    EXPECT_EQ(result.tracks, 2u);
    EXPECT_EQ(titles(entry), (Lines{"Long title that continues here", "Next A1. side one"}));
    EXPECT_TRUE(result.artistSelected);

    AlbumEntry gaps;
    lookup::readContinuedList({"12. Twelve", "3. Three", "0. not a track"}, EditMode::AddOther, gaps);
    ASSERT_EQ(gaps.tracks.size(), 12u);
    EXPECT_EQ(gaps.tracks[10].number, "11");
    EXPECT_EQ(gaps.tracks[11].title, "Twelve");
    EXPECT_EQ(gaps.tracks[2].title, "Three 0. not a track");

    AlbumEntry disc = formWithRows(2);
    lookup::readContinuedList({"1. One", "5. Five", "more of five", "2. Two"}, EditMode::AddFromDrive, disc);
    EXPECT_EQ(titles(disc), (Lines{"One", "Two"}));
}

TEST(RetailerPage, VariousArtistsEntriesInNumberOrder)
{
    const Lines page{
        "Welcome",
        "Artist: Various Artists",
        "Greatest Songs - Some Label",
        "Format: CD",
        "Track Listings:",
        "Disc 1 Track 12. Twelfth - Singer Twelve",
        "3. Song - Singer",
        "Price 9.99",
        "Additional Notes",
        "4. After the notes - Nobody",
    };
    AlbumEntry entry;
    const TrackListResult result = lookup::readRetailerPage(page, EditMode::AddOther, entry);
    EXPECT_EQ(entry.artist, "Various");
    EXPECT_EQ(entry.album, "Greatest Songs");
    EXPECT_EQ(result.tracks, 3u);
    EXPECT_EQ(titles(entry), (Lines{"Singer / Song", "99", "Singer Twelve / Twelfth"}));
    EXPECT_EQ(entry.tracks[2].number, "03");
    EXPECT_TRUE(result.notices.empty());

    AlbumEntry album = formWithRows(1);
    album.artist = "VARIOUS people";
    lookup::readRetailerPage({"Artist: Someone Else", "Album - Label", "Track Listings:", "1. Song - Singer"},
                             EditMode::Modify, album);
    EXPECT_EQ(album.artist, "Various") << "the album's own artist decides";
    EXPECT_EQ(titles(album), Lines{"Singer / Song"});
}

TEST(RetailerPage, NoEntriesSaysSo)
{
    const Lines page{"Artist: Someone", "Album - Label", "Track Listings:", "Additional Notes", "1. Late"};
    for (EditMode mode : {EditMode::AddFromDrive, EditMode::AddOther, EditMode::Modify}) {
        AlbumEntry entry = formWithRows(2);
        const TrackListResult result = lookup::readRetailerPage(page, mode, entry);
        EXPECT_EQ(result.tracks, 0u);
        EXPECT_EQ(result.notices, Lines{"No track data available online"});
        EXPECT_EQ(result.askTrackCount, mode == EditMode::AddOther);
        EXPECT_EQ(entry.tracks.size(), 2u);
    }
}

// --- text copied from real pages (tests/data/web_pages/README.md) ---

enum class Reader { Plain, Timed, Continued, Retailer };

TrackListResult run(Reader reader, const Lines& lines, EditMode mode, AlbumEntry& entry)
{
    switch (reader) {
    case Reader::Plain:
        return lookup::readPlainList(lines, mode, entry);
    case Reader::Timed:
        return lookup::readTimedList(lines, mode, true, entry);
    case Reader::Continued:
        return lookup::readContinuedList(lines, mode, entry);
    case Reader::Retailer:
        break;
    }
    return lookup::readRetailerPage(lines, mode, entry);
}

Lines pageLines(const std::string& file)
{
    Lines lines;
    std::string text = test_support::readFile(test_support::fixturePath(file));
    for (std::size_t start = 0; start < text.size();) {
        const auto end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

const std::vector<std::string> kPages{
    "web_pages/numbered_list_with_times.txt",   "web_pages/two_discs_with_album_names.txt",
    "web_pages/record_shop_product_page.txt",   "web_pages/streaming_store_tracks.txt",
    "web_pages/sampler_times_in_brackets.txt",  "web_pages/review_shop_page.txt",
    "web_pages/album_guide_track_table.txt",    "cddb/entries/rock/770bf909",
};

TEST(CopiedPages, EveryReaderFillsRowsOrSaysWhy)
{
    for (const std::string& page : kPages) {
        const Lines lines = pageLines(page);
        ASSERT_GT(lines.size(), 5u) << page;
        for (Reader reader : {Reader::Plain, Reader::Timed, Reader::Continued, Reader::Retailer})
            for (EditMode mode : {EditMode::AddFromDrive, EditMode::AddOther, EditMode::Modify}) {
                AlbumEntry entry = formWithRows(mode == EditMode::AddOther ? 0 : 10);
                const TrackListResult result = run(reader, lines, mode, entry);
                const auto at = page + " reader " + std::to_string(static_cast<int>(reader)) + " mode " +
                                std::to_string(static_cast<int>(mode));
                EXPECT_LE(result.tracks, entry.tracks.size()) << at;
                EXPECT_TRUE(result.tracks > 0 || !result.errors.empty() || !result.notices.empty()) << at;
            }
    }
}

TEST(CopiedPages, WhatEachListGives)
{
    struct Case {
        std::string page;
        Reader reader;
        std::size_t tracks;
        std::size_t row;  // from 1; 0 checks nothing more
        std::string title, length;
    };
    const std::vector<Case> cases{
        {"numbered_list_with_times.txt", Reader::Timed, 15, 2, "\x93" "Diggin\x92 Your Scene\x94", " 3:10"},
        {"two_discs_with_album_names.txt", Reader::Timed, 29, 14, "Nebraska  \x96 Nebraska", " 4:30"},
        {"two_discs_with_album_names.txt", Reader::Timed, 29, 16, "Born in the U.S.A. Born in the U.S.A.", " 4:42"},
        // Disc 2 numbers from 1 again and writes over disc 1.
        {"two_discs_with_album_names.txt", Reader::Continued, 15, 2, "Glory Days Born in the U.S.A. 4:17", ""},
        {"record_shop_product_page.txt", Reader::Continued, 5, 1, "So What - Miles Davis", ""},
        {"record_shop_product_page.txt", Reader::Retailer, 0, 0, "", ""},
        {"sampler_times_in_brackets.txt", Reader::Timed, 11, 2, "How To Set Digital Clock (:54)", ""},
        {"streaming_store_tracks.txt", Reader::Timed, 0, 0, "", ""},
        {"streaming_store_tracks.txt", Reader::Continued, 0, 0, "", ""},
        {"album_guide_track_table.txt", Reader::Timed, 0, 0, "", ""},
        {"review_shop_page.txt", Reader::Retailer, 0, 0, "", ""},
    };
    for (const Case& c : cases) {
        AlbumEntry entry;
        const TrackListResult result = run(c.reader, pageLines("web_pages/" + c.page), EditMode::AddOther, entry);
        const auto at = c.page + " reader " + std::to_string(static_cast<int>(c.reader));
        EXPECT_EQ(result.tracks, c.tracks) << at;
        if (c.row == 0)
            continue;
        ASSERT_GE(entry.tracks.size(), c.row) << at;
        EXPECT_EQ(entry.tracks[c.row - 1].title, c.title) << at;
        EXPECT_EQ(entry.tracks[c.row - 1].length, c.length) << at;
    }
}

}  // namespace
