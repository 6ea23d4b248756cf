// Play and the double click over a copy of the small reference collection,
// a disc image in the drive and audio files in a folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QProcess>
#include <QStandardPaths>

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

    // A track of the cue image, from where the image's first track starts.
    std::string cueLine(const std::string& start, const std::string& length) const
    {
        return "edl://%" + std::to_string(settings.cdPath.size()) + "%" + settings.cdPath + "," + start + "," + length +
               "\r\n";
    }
    std::string playlist() const { return test_support::readFile(dir.file("Vinora.m3u")); }

    void expectPlayerOpensEveryEntry(int entries) const
    {
        const QString player = QStandardPaths::findExecutable("mpv");
        if (player.isEmpty())
            return;
        QProcess mpv;
        mpv.setProcessChannelMode(QProcess::MergedChannels);
        mpv.start(player, {"--no-config", "--no-audio", "--no-video", "--frames=0",
                           "--playlist=" + QString::fromStdString(dir.file("Vinora.m3u"))});
        ASSERT_TRUE(mpv.waitForFinished(30000));
        const QString output = QString::fromUtf8(mpv.readAll());
        EXPECT_EQ(output.count("Playing: edl://"), entries) << output.toStdString();
        EXPECT_EQ(output.count("Audio --aid=1"), entries) << output.toStdString();
    }

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
    EXPECT_EQ(playlist(), "#EXTM3U\r\n#EXTINF:68,Pink Floyd - Speak to Me\r\n" + cueLine("0.000000", "210.226666") +
                              "#EXTINF:163,Pink Floyd - Breathe\r\n" + cueLine("210.226666", "203.813333") +
                              "#EXTINF:123,Pink Floyd - Eclipse\r\n" + cueLine("2010.066666", "189.520000"));
    expectPlayerOpensEveryEntry(3);

    settings.player = "  " + settings.cdPath + " ";
    const auto fromNine = flow.playDiscFrom("  9");
    ASSERT_TRUE(fromNine);
    EXPECT_EQ(fromNine->program, settings.cdPath);
    EXPECT_EQ(playlist(), "#EXTM3U\r\n#EXTINF:226,Pink Floyd - Brain Damage\r\n" +
                              cueLine("1788.933333", "221.133333") + "#EXTINF:123,Pink Floyd - Eclipse\r\n" +
                              cueLine("2010.066666", "189.520000"));
    settings.player = images.file("no-such-player");
    EXPECT_EQ(flow.playDiscFrom("")->program, "");
    EXPECT_TRUE(errors.empty());
}

// Any other device, or a track the TOC read last does not hold, is named
// by its number.
TEST_F(PlaybackFlowTest, ADeviceOtherThanACueSheetIsNamedWithTheTrackNumber)
{
    ASSERT_TRUE(flow.playCurrentAlbum());
    settings.cdPath = "/dev/sr0";
    ASSERT_TRUE(flow.playDiscFrom(" 10"));
    EXPECT_TRUE(playlist().ends_with("Eclipse\r\ncdda:///dev/sr0@10\r\n")) << playlist();
    settings.cdPath = images.file("disc.cue");
    state.currentToc.trackCount = 9;
    ASSERT_TRUE(flow.playDiscFrom(" 10"));
    EXPECT_TRUE(playlist().ends_with("Eclipse\r\ncdda://" + settings.cdPath + "@10\r\n")) << playlist();
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
