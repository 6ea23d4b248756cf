// Play and the double click over a copy of the small reference collection,
// a disc image in the drive and audio files in a folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "catalogue/catalogue.h"
#include "platform/cdio/libcdio_access.h"
#include "playback/playback_flow.h"
#include "support/catalogue_rows.h"
#include "support/disc_image.h"
#include "support/fixture_files.h"
#include "support/temp_dir.h"

namespace {

using playback::PlaybackFlow;

// The TOC of 7a0b3c0d, the album whose tracks 1, 2 and 10 are marked.
const std::vector<long> kCataloguedDisc{150,   15917,  31203,  48060,  68936,  82540, 97502,
                                        115833, 134320, 150905, 165119, 180701, 196058};
constexpr long kCataloguedLeadOut = 215890;

class PlaybackFlowTest : public testing::Test {
protected:
    void SetUp() override
    {
        test_support::copyFixtureSet("xbase/small", dir.path());
        for (const char* name : {"b.wav", "A.WAV"})
            std::ofstream(files.file(name)) << "x";
        test_support::appendRow(dir.path(), "ALBUMS.DBF",
                                {{"ID", "z0000008"}, {"Media", "LD"}, {"Label", files.path() + "/*.wav"}});
        test_support::appendRow(dir.path(), "ALBUMS.DBF",
                                {{"ID", "z0000009"}, {"Media", "LD"}, {"Label", "D:\\Music\\*.wav"}});
        catalogue.createMissingFilesAndOpenViews();
        settings.cdPath = test_support::writeCueImage(images.path(), "disc", test_support::audioTracks(kCataloguedDisc),
                                                      kCataloguedLeadOut);
        drive.setDriveSettings(settings.cdPath, 0);
    }

    void goToAlbum(const std::string& id)
    {
        xbase::Cursor& albums = catalogue.albums().cursor();
        for (bool more = albums.first(); more && albums.fieldTrimmed("ID") != id; more = albums.next()) {
        }
        ASSERT_EQ(albums.fieldTrimmed("ID"), id);
    }

    std::string cdLine(int track) const { return "cdda://" + settings.cdPath + "@" + std::to_string(track) + "\r\n"; }
    std::string playlist() const { return test_support::readFile(dir.file("Vinora.m3u")); }

    test_support::TempDir dir, images, files;
    catalogue::Catalogue catalogue{dir.path()};
    settings::ProgramSettings settings;
    platform::LibcdioAccess cdio;
    common::LookupState state;
    std::vector<std::string> errors;
    lookup::ErrorBox showError = [this](const std::string& m) { errors.push_back(m); };
    lookup::CdDrive drive{cdio, state, showError, [](int) {}};
    lookup::CdFinder finder{drive, state, catalogue, showError};
    PlaybackFlow flow{catalogue, settings, state, finder, showError};
};

TEST_F(PlaybackFlowTest, ADiscAlbumPlaysItsMarksAndADoubleClickFromItsTrackWithThePlayerSet)
{
    catalogue.playlist().setFilter("ID=\"12345678\"");
    catalogue.playlist().setFiltered(true);
    const auto marked = flow.playCurrentAlbum();
    ASSERT_TRUE(marked);
    EXPECT_EQ(marked->program, "");
    EXPECT_EQ(marked->playlist, dir.file("Vinora.m3u"));
    EXPECT_EQ(playlist(), "#EXTM3U\r\n#EXTINF:68,Pink Floyd - Speak to Me\r\n" + cdLine(1) +
                              "#EXTINF:163,Pink Floyd - Breathe\r\n" + cdLine(2) +
                              "#EXTINF:123,Pink Floyd - Eclipse\r\n" + cdLine(10));

    settings.player = "  " + settings.cdPath + " ";
    const auto fromNine = flow.playDiscFrom("  9");
    ASSERT_TRUE(fromNine);
    EXPECT_EQ(fromNine->program, settings.cdPath);
    EXPECT_EQ(playlist(), "#EXTM3U\r\n#EXTINF:226,Pink Floyd - Brain Damage\r\n" + cdLine(9) +
                              "#EXTINF:123,Pink Floyd - Eclipse\r\n" + cdLine(10));
    settings.player = images.file("no-such-player");
    EXPECT_EQ(flow.playDiscFrom("")->program, "");
    EXPECT_TRUE(errors.empty());
}

TEST_F(PlaybackFlowTest, ALocalDriveAlbumPlaysItsFilesWithTheAssociatedApplicationElseItsLabelIsReported)
{
    settings.player = settings.cdPath;
    goToAlbum("z0000008");
    const auto launch = flow.playCurrentAlbum();
    ASSERT_TRUE(launch);
    EXPECT_EQ(launch->program, "");
    EXPECT_EQ(playlist(), "#EXTM3U\r\n" + files.file("A.WAV") + "\r\n" + files.file("b.wav") + "\r\n");

    goToAlbum("z0000009");
    EXPECT_FALSE(flow.playCurrentAlbum());
    EXPECT_EQ(errors, std::vector<std::string>{PlaybackFlow::kWindowsLabelMessage + "D:\\Music\\*.wav"});
}

TEST_F(PlaybackFlowTest, WithoutADiscNothingIsWritten)
{
    drive.setDriveSettings(images.file("none"), 0);
    EXPECT_FALSE(flow.playCurrentAlbum());
    EXPECT_EQ(errors, std::vector<std::string>{lookup::CdFinder::kNoAudioCdMessage});
    EXPECT_FALSE(std::filesystem::exists(dir.file("Vinora.m3u")));
}

}  // namespace
