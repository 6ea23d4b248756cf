#pragma once

#include <functional>
#include <optional>
#include <string>

#include "catalogue/catalogue.h"
#include "common/program_state.h"
#include "common/prompter.h"
#include "lookup/cd_drive_commands.h"
#include "platform/cd_access.h"
#include "platform/desktop_launcher.h"
#include "playback/playback_flow.h"

namespace playback::ui {

// The main window's Play button and the double click on its track grid:
// the playlist written by PlaybackFlow, then handed to the player or to the
// desktop's m3u application. A start that fails is told to the user.
class PlayCommands {
public:
    // "{program}" and "{playlist}" stand for the paths tried.
    inline static const std::string kPlayerFailedMessage = "Could not start the player {program}\rwith {playlist}";
    inline static const std::string kNoApplicationMessage = "No application could be started for the playlist {playlist}";
    // Added when no Player is set: one would be used for a disc.
    inline static const std::string kSetPlayerHint = "\rSet the Player in Options.";

    // Shows the cover of the album whose notes are given, without messages.
    using CoverDisplay = std::function<void(const std::string& notes)>;

    // All references must outlive this object.
    PlayCommands(catalogue::Catalogue& catalogue, common::ProgramState& state, common::Prompter& prompter,
                 lookup::CdDriveCommands& drive, platform::DesktopLauncher& desktop, CoverDisplay showCover);
    PlayCommands(const PlayCommands&) = delete;
    PlayCommands& operator=(const PlayCommands&) = delete;

    // Play: the cover first when the Art setting asks for it, then the
    // current album. Throws xbase::XbaseError as PlaybackFlow does.
    void play();
    // The double click: the identified disc from the track grid's current
    // row on (its first track when the grid is empty).
    void playFromTrack();

private:
    PlaybackFlow flow();
    void start(const std::optional<PlayerLaunch>& launch);

    catalogue::Catalogue& catalogue_;
    common::ProgramState& state_;
    common::Prompter& prompter_;
    platform::DesktopLauncher& desktop_;
    CoverDisplay showCover_;
    lookup::CdDriveCommands& drive_;
};

}  // namespace playback::ui
