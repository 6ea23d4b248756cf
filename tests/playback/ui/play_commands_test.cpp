// Play and the double click as the main window runs them: a real catalogue,
// a disc image in the drive, a real player script, and what the user is told.
#include "playback/ui/play_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QFile>
#include <QThread>

#include "platform/cdio/libcdio_access.h"
#include "platform/desktop/qt_desktop_launcher.h"
#include "support/disc_image.h"
#include "support/fixture_files.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace {

using playback::ui::PlayCommands;
using Kind = test_support::ScriptedPrompter::Kind;

// The TOC of 7a0b3c0d, an album of the small collection.
const std::vector<long> kCataloguedDisc{150,   15917,  31203,  48060,  68936,  82540, 97502,
                                        115833, 134320, 150905, 165119, 180701, 196058};
constexpr long kCataloguedLeadOut = 215890;

// The desktop without an application for playlists.
class NoAssociation : public platform::QtDesktopLauncher {
public:
    bool openAddress(const QString& address) override
    {
        opened.push_back(address.toStdString());
        return false;
    }
    std::vector<std::string> opened;
};

class PlayCommandsTest : public testing::Test {
protected:
    void SetUp() override
    {
        test_support::copyFixtureSet("xbase/small", dir.path());
        catalogue.createMissingFilesAndOpenViews();
        state.programDir = dir.path() + "/";
        state.settings.cdPath = test_support::writeCueImage(images.path(), "disc",
                                                            test_support::audioTracks(kCataloguedDisc), kCataloguedLeadOut);
    }

    // A player that writes its argument count and arguments, one a line.
    std::string writePlayer(QFile::Permissions permissions)
    {
        const std::string script = images.file("player.sh");
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > " << seen() << ".tmp && mv " << seen()
                              << ".tmp " << seen() << "\n";
        QFile::setPermissions(QString::fromStdString(script), permissions);
        return script;
    }
    std::string seen() const { return images.file("seen"); }
    std::string waitForPlayer() const
    {
        for (int i = 0; i < 500 && !std::filesystem::exists(seen()); ++i)
            QThread::msleep(10);
        return test_support::readFile(seen());
    }
    std::string playlistPath() const { return dir.file("Vinora.m3u"); }

    test_support::TempDir dir, images;
    catalogue::Catalogue catalogue{dir.path()};
    common::ProgramState state;
    test_support::ScriptedPrompter prompter;
    platform::LibcdioAccess cdio;
    lookup::CdDriveCommands drive{cdio, state, prompter, catalogue};
    NoAssociation desktop;
    std::vector<bool> playlistAtCover;
    PlayCommands commands{catalogue, state, prompter, drive, desktop, [this](const std::string&) {
                              playlistAtCover.push_back(std::filesystem::exists(playlistPath()));
                          }};
};

TEST_F(PlayCommandsTest, PlayShowsTheCoverThenHandsThePlaylistToThePlayerAsItsOneArgument)
{
    state.settings.art = true;
    state.settings.player = writePlayer(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    commands.play();
    EXPECT_EQ(waitForPlayer(), "1\n" + playlistPath() + "\n");
    EXPECT_TRUE(test_support::readFile(playlistPath()).starts_with("#EXTM3U\r\n#EXTINF:"));
    EXPECT_EQ(playlistAtCover, std::vector<bool>{false});
    EXPECT_TRUE(prompter.requests().empty());

    std::filesystem::remove(seen());
    state.settings.art = false;
    catalogue.currentAlbumTracks()->first();
    commands.playFromTrack();
    EXPECT_EQ(waitForPlayer(), "1\n" + playlistPath() + "\n");
    EXPECT_EQ(playlistAtCover.size(), 1u);
}

TEST_F(PlayCommandsTest, APlayerOrAssociationThatDoesNotStartIsTold)
{
    state.settings.player = writePlayer(QFile::ReadOwner | QFile::WriteOwner);
    commands.play();
    const auto errors = prompter.texts(Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find(state.settings.player), std::string::npos) << errors[0];

    state.settings.player.clear();
    commands.play();
    EXPECT_EQ(desktop.opened, std::vector<std::string>{playlistPath()});
    ASSERT_EQ(prompter.texts(Kind::Error).size(), 2u);
    EXPECT_TRUE(prompter.texts(Kind::Error)[1].ends_with(PlayCommands::kSetPlayerHint));
    EXPECT_FALSE(errors[0].ends_with(PlayCommands::kSetPlayerHint));
    EXPECT_FALSE(std::filesystem::exists(seen()));
}

TEST_F(PlayCommandsTest, ADoubleClickBeforeAnyDiscWasIdentifiedSaysSoAndWritesNothing)
{
    state.settings.cdPath = images.file("no-disc.cue");
    commands.playFromTrack();
    EXPECT_EQ(prompter.texts(Kind::Error), std::vector<std::string>{lookup::CdFinder::kNoAudioCdMessage});
    EXPECT_FALSE(std::filesystem::exists(playlistPath()));
    EXPECT_TRUE(desktop.opened.empty());
}

}  // namespace
