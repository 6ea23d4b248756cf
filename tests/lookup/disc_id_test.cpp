// Disc identifiers and the quantities derived from a TOC, with no drive:
// known answers, and libdiscid as an independent second opinion on the
// TOCs of real freedb entries.
#include <gtest/gtest.h>

#include "lookup/disc_id.h"
#include "lookup/drive_description.h"
#include "lookup/toc_arithmetic.h"
#include "support/discid_oracle.h"
#include "support/xmcd_fixture.h"

namespace {

using platform::DiscToc;
using platform::MsfAddress;
using test_support::discToc;

TEST(TocArithmetic, FourTrackDiscGivesOffsetsLengthsAndIdentifier)
{
    DiscToc toc;
    toc.trackCount = 4;
    toc.tracks[0] = {0, 2, 0};
    toc.tracks[1] = {5, 10, 30};
    toc.tracks[2] = {9, 0, 0};
    toc.tracks[3] = {12, 30, 74};
    toc.leadOut = {15, 0, 10};
    EXPECT_EQ(lookup::frameOffsets(toc), (std::vector<long>{150, 23280, 40500, 56324}));
    EXPECT_EQ(lookup::discLengthSeconds(toc), 900);
    // Two seconds come off every track, not only the first.
    EXPECT_EQ(lookup::trackLengths(toc), (std::vector<long>{306, 228, 208, 148}));
    EXPECT_EQ(lookup::discIdText(lookup::calcDiscId(toc)), "1b038204");
}

TEST(DiscIdText, IsEightLowerCaseDigitsZeroPadded)
{
    EXPECT_EQ(lookup::discIdText(0x0a0b0c0du), "0a0b0c0d");
    EXPECT_EQ(lookup::discIdText(0u), "00000000");
    EXPECT_EQ(lookup::discIdText(0xFFFFFFFFu), "ffffffff");
}

TEST(DiscId, NinetyNineTracksWithLargeDigitSumsAgreeWithLibdiscid)
{
    // The digit sums add up far past 255, so the first byte wraps.
    std::vector<long> offsets;
    for (long i = 0; i < 99; ++i)
        offsets.push_back((1000 + i * 43) * 75 + i % 75);
    const long leadOut = 5300L * 75;
    const std::string ours = lookup::discIdText(lookup::calcDiscId(discToc(offsets, leadOut)));
    EXPECT_EQ(ours.substr(6), "63");
    EXPECT_EQ(ours, test_support::libdiscidFreedbId(offsets, leadOut));
}

TEST(DiscId, AgreesWithLibdiscidOnEveryFixtureEntry)
{
    int checked = 0;
    for (const std::string& file : test_support::cddbEntryFiles()) {
        SCOPED_TRACE(file);
        const auto disc = test_support::entryDisc(test_support::fileLines(file));
        ASSERT_FALSE(disc.offsets.empty());
        const long leadOut = disc.discLength * 75;
        const std::string ours = lookup::discIdText(lookup::calcDiscId(discToc(disc.offsets, leadOut)));
        EXPECT_EQ(ours, disc.discId);
        EXPECT_EQ(ours, test_support::libdiscidFreedbId(disc.offsets, leadOut));
        ++checked;
    }
    EXPECT_EQ(checked, 22);
}

TEST(DriveDescription, NumbersAreTwoDigitsAndStringsFollowWithOneBlankEach)
{
    platform::CdRomDrive drive{0, 3, 0, "HL-DT-ST", "DVDRAM GH24NSD1", "LG00", "/dev/sr3"};
    EXPECT_EQ(lookup::driveDescription(drive), "(00:03:00) HL-DT-ST DVDRAM GH24NSD1 LG00");
    drive.hostAdapter = 12;
    drive.revision.clear();
    EXPECT_EQ(lookup::driveDescription(drive), "(12:03:00) HL-DT-ST DVDRAM GH24NSD1 ");
}

}  // namespace
