// The drive path end to end without hardware: disc images made here are
// read through libcdio as the drive, and the program's drive rules (retries,
// pauses, the audio-disc test) run over them.
#include <gtest/gtest.h>

#include "lookup/cd_drive.h"
#include "lookup/toc_arithmetic.h"
#include "platform/cdio/libcdio_access.h"
#include "support/disc_image.h"
#include "support/discid_oracle.h"
#include "support/flaky_cd_access.h"
#include "support/temp_dir.h"
#include "support/xmcd_fixture.h"

namespace {

using lookup::CdDrive;
using test_support::ImageTrack;

using test_support::kFourTrackLeadOut;
const std::vector<long>& kFourTracks = test_support::kFourTrackOffsets;

class DiscImage : public testing::Test {
protected:
    CdDrive drive(platform::CdAccess& access, const std::string& cdPath, long driveNr = 0)
    {
        CdDrive d(access, state, [this](const std::string& m) { errors.push_back(m); },
                  [this](int ms) { pauses.push_back(ms); });
        d.setDriveSettings(cdPath, driveNr);
        return d;
    }

    // Reads the image through the drive rules; the offsets it gave.
    std::vector<long> readOffsets(const std::string& cdPath)
    {
        CdDrive d = drive(cdio, cdPath);
        EXPECT_TRUE(d.readDiscToc());
        return lookup::frameOffsets(state.currentToc);
    }

    test_support::TempDir dir;
    platform::LibcdioAccess cdio;
    common::LookupState state;
    std::vector<std::string> errors;
    std::vector<int> pauses;
};

TEST_F(DiscImage, FourTrackImageGivesTheKnownTocAndIdentifier)
{
    const std::string cue = test_support::writeCueImage(dir.path(), "four", test_support::audioTracks(kFourTracks),
                                                        kFourTrackLeadOut);
    EXPECT_EQ(readOffsets(cue), kFourTracks);
    EXPECT_EQ(state.currentToc.tracks[1], (platform::MsfAddress{5, 10, 30}));
    EXPECT_EQ(state.currentToc.leadOut, (platform::MsfAddress{15, 0, 10}));
    EXPECT_EQ(lookup::discLengthSeconds(state.currentToc), 900);
    EXPECT_EQ(lookup::trackLengths(state.currentToc), (std::vector<long>{306, 228, 208, 148}));
    EXPECT_EQ(state.currentAlbumId, "1b038204");
    EXPECT_EQ(state.currentAlbumId, test_support::libdiscidFreedbId(kFourTracks, kFourTrackLeadOut));
    // The image is the only drive, described by what libcdio says of it.
    ASSERT_EQ(state.driveDescriptions.size(), 1u);
    EXPECT_EQ(state.driveDescriptions[0].rfind("(00:00:00) libcdio CDRWIN ", 0), 0u) << state.driveDescriptions[0];
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(pauses.empty());
}

TEST_F(DiscImage, CdrdaoTocFileReadsLikeTheCueSheet)
{
    const std::string toc = test_support::writeTocImage(dir.path(), "four", kFourTracks, kFourTrackLeadOut);
    EXPECT_EQ(readOffsets(toc), kFourTracks);
    EXPECT_EQ(state.currentAlbumId, "1b038204");
    EXPECT_EQ(state.driveDescriptions[0].rfind("(00:00:00) libcdio cdrdao ", 0), 0u) << state.driveDescriptions[0];
}

TEST_F(DiscImage, EveryFixtureEntryTocReadsBackWithItsIdentifier)
{
    // Real TOCs: first tracks after 150 (6f0c6509 starts at 183), up to 19
    // tracks, discs of more than 70 minutes.
    for (const std::string& file : test_support::cddbEntryFiles()) {
        SCOPED_TRACE(file);
        const auto disc = test_support::entryDisc(test_support::fileLines(file));
        const long leadOut = disc.discLength * 75;
        const std::string cue =
            test_support::writeCueImage(dir.path(), disc.discId, test_support::audioTracks(disc.offsets), leadOut);
        EXPECT_EQ(readOffsets(cue), disc.offsets);
        EXPECT_EQ(state.currentAlbumId, disc.discId);
        EXPECT_EQ(state.currentAlbumId, test_support::libdiscidFreedbId(disc.offsets, leadOut));
    }
}

TEST_F(DiscImage, PregapsHeldInTheImageDoNotMoveTrackStarts)
{
    const std::vector<ImageTrack> tracks{{183, 33, false}, {22650, 150, false}, {41000, 74, false}, {60000, 0, false}};
    const long leadOut = 80000;
    const std::string cue = test_support::writeCueImage(dir.path(), "pregaps", tracks, leadOut);
    const std::vector<long> offsets{183, 22650, 41000, 60000};
    EXPECT_EQ(readOffsets(cue), offsets);
    EXPECT_EQ(state.currentAlbumId, test_support::libdiscidFreedbId(offsets, leadOut));
}

TEST_F(DiscImage, MixedModeDiscCountsItsDataTrackAndIsAnAudioCd)
{
    // Data first, then audio after a two-second pregap (the mixed-mode
    // layout); the identifier counts the data track like any other.
    const std::vector<ImageTrack> tracks{{150, 0, true}, {30150, 150, false}, {45000, 0, false}};
    const long leadOut = 61234;
    const std::string cue = test_support::writeCueImage(dir.path(), "mixed", tracks, leadOut);
    const std::vector<long> offsets{150, 30150, 45000};
    EXPECT_EQ(readOffsets(cue), offsets);
    EXPECT_EQ(state.currentAlbumId, test_support::libdiscidFreedbId(offsets, leadOut));

    EXPECT_FALSE(cdio.isAudioCd(cue));  // not CD-DA: the TOC decides
    CdDrive d = drive(cdio, cue);
    state = {};
    EXPECT_TRUE(d.audioCdPresent(cue));
    EXPECT_EQ(state.currentToc.trackCount, 3);
}

TEST_F(DiscImage, SingleTrackDataDiscIsNotAnAudioCd)
{
    const std::string cue = test_support::writeCueImage(dir.path(), "data", {{150, 0, true}}, 40000);
    CdDrive d = drive(cdio, cue);
    EXPECT_FALSE(d.audioCdPresent(cue));
    // Its TOC was read to find that out.
    EXPECT_EQ(state.currentToc.trackCount, 1);
}

TEST_F(DiscImage, AudioDiscIsRecognisedWithoutReadingItsToc)
{
    const std::string cue = test_support::writeCueImage(dir.path(), "four", test_support::audioTracks(kFourTracks),
                                                        kFourTrackLeadOut);
    test_support::FlakyCdAccess access(cdio);
    CdDrive d = drive(access, cue);
    EXPECT_TRUE(d.audioCdPresent(cue));
    EXPECT_EQ(access.tocReadCalls, 0);
    EXPECT_TRUE(pauses.empty());
}

TEST_F(DiscImage, SingleTrackAudioDiscCountsOnlyThroughItsDiscMode)
{
    const std::string cue = test_support::writeCueImage(dir.path(), "single", {{150}}, 30000);
    test_support::FlakyCdAccess access(cdio);
    CdDrive d = drive(access, cue);
    EXPECT_TRUE(d.audioCdPresent(cue));
    access.forcedAudioCd = 0;
    EXPECT_FALSE(d.audioCdPresent(cue));
}

TEST_F(DiscImage, NoDiscMeansNoAudioCdAfterOneSettlingPause)
{
    for (const std::string& path : {dir.file("missing.cue"), dir.path()}) {
        SCOPED_TRACE(path);
        pauses.clear();
        CdDrive d = drive(cdio, path);
        EXPECT_FALSE(d.audioCdPresent(path));
        EXPECT_EQ(pauses, std::vector<int>{CdDrive::kProbePauseMs});
    }
    // Without any drive there is nothing to wait for: start-up stays quick.
    pauses.clear();
    CdDrive none = drive(cdio, "");
    EXPECT_FALSE(none.audioCdPresent(""));
    EXPECT_TRUE(pauses.empty());
    EXPECT_TRUE(errors.empty());
}

TEST_F(DiscImage, MissingImageIsNoDriveAfterEveryAttempt)
{
    state.currentAlbumId = "1b038204";
    state.currentToc.trackCount = 4;
    test_support::FlakyCdAccess access(cdio);
    CdDrive d = drive(access, dir.file("gone.cue"));
    EXPECT_FALSE(d.readDiscToc());
    EXPECT_EQ(errors, std::vector<std::string>{"Can NOT find a CD-ROM drive"});
    EXPECT_EQ(access.driveListCalls, 21);
    // Eleven attempts at once, then ten after a short pause each.
    EXPECT_EQ(pauses, std::vector<int>(10, CdDrive::kRetryPauseMs));
    // What was read before stays.
    EXPECT_EQ(state.currentAlbumId, "1b038204");
    EXPECT_EQ(state.currentToc.trackCount, 4);
}

TEST_F(DiscImage, TocReadsAreRetriedWithPausesOnlyAfterTheEleventh)
{
    const std::string cue = test_support::writeCueImage(dir.path(), "four", test_support::audioTracks(kFourTracks),
                                                        kFourTrackLeadOut);
    test_support::FlakyCdAccess access(cdio);
    access.failDriveLists = 3;
    access.failTocReads = 14;
    CdDrive d = drive(access, cue);
    EXPECT_TRUE(d.readDiscToc());
    EXPECT_EQ(access.driveListCalls, 4);
    EXPECT_EQ(access.tocReadCalls, 15);
    EXPECT_EQ(pauses, std::vector<int>(4, CdDrive::kRetryPauseMs));
    EXPECT_EQ(state.currentAlbumId, "1b038204");
}

TEST_F(DiscImage, DriveNotReadyGetsOneSettlingPauseBeforeTheRead)
{
    const std::string cue = test_support::writeCueImage(dir.path(), "four", test_support::audioTracks(kFourTracks),
                                                        kFourTrackLeadOut);
    test_support::FlakyCdAccess access(cdio);
    access.forcedMedium = 0;
    CdDrive d = drive(access, cue);
    EXPECT_TRUE(d.readDiscToc());
    EXPECT_EQ(pauses, std::vector<int>{CdDrive::kSettlePauseMs});
    EXPECT_EQ(state.currentAlbumId, "1b038204");
}

TEST_F(DiscImage, UnreadableTocLeavesNoIdentifier)
{
    const std::string cue = test_support::writeCueImage(dir.path(), "four", test_support::audioTracks(kFourTracks),
                                                        kFourTrackLeadOut);
    state.currentAlbumId = "7a0b3c0d";
    test_support::FlakyCdAccess access(cdio);
    access.failTocReads = 100;
    CdDrive d = drive(access, cue);
    EXPECT_FALSE(d.readDiscToc());
    EXPECT_EQ(access.tocReadCalls, 21);
    EXPECT_EQ(state.currentAlbumId, "");
    EXPECT_EQ(state.currentToc.trackCount, 0);
    EXPECT_TRUE(errors.empty());
}

TEST_F(DiscImage, DriveNumberPastTheListReadsNothing)
{
    const std::string cue = test_support::writeCueImage(dir.path(), "four", test_support::audioTracks(kFourTracks),
                                                        kFourTrackLeadOut);
    CdDrive d = drive(cdio, cue, 1);
    EXPECT_FALSE(d.readDiscToc());
    EXPECT_EQ(state.currentAlbumId, "");
    EXPECT_EQ(state.selectedDescription, 1u);
}

TEST_F(DiscImage, BrokenCueSheetsGiveNoToc)
{
    const std::vector<std::string> sheets{
        "",
        "FILE \"nothing.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n",
        "\x01\x02\xff garbage\nTRACK TRACK INDEX 99:99:99\n",
        "FILE \"x.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 99:59:74\n",
    };
    test_support::writeCueImage(dir.path(), "x", {{150}}, 1000);
    for (const std::string& sheet : sheets) {
        SCOPED_TRACE(sheet);
        const std::string cue = dir.file("broken.cue");
        FILE* f = std::fopen(cue.c_str(), "wb");
        std::fwrite(sheet.data(), 1, sheet.size(), f);
        std::fclose(f);
        state = {};
        CdDrive d = drive(cdio, cue);
        EXPECT_FALSE(d.readDiscToc());
        EXPECT_EQ(state.currentAlbumId, "");
    }
}

TEST_F(DiscImage, FirstCdRomDriveIsOneOfTheMachinesDevices)
{
    CdDrive d = drive(cdio, "");
    const auto devices = cdio.cdRomDevices();
    EXPECT_EQ(d.firstCdRomDrive(), devices.empty() ? std::string() : devices.front());
    EXPECT_TRUE(d.accessInstalled());
}

}  // namespace
