#include "playback/ui/play_commands.h"

#include "common/ansi_text.h"
#include "common/trim_and_case.h"

namespace playback::ui {
namespace {

// A message with the paths (as the file system spells them) in its place
// holders.
std::string withPaths(std::string message, const PlayerLaunch& launch)
{
    for (const auto& [holder, path] : {std::pair<std::string, std::string>{"{program}", launch.program},
                                       std::pair<std::string, std::string>{"{playlist}", launch.playlist}}) {
        const std::size_t at = message.find(holder);
        if (at != std::string::npos)
            message.replace(at, holder.size(), common::toAnsi(QString::fromStdString(path)));
    }
    return message;
}

}  // namespace

PlayCommands::PlayCommands(catalogue::Catalogue& catalogue, common::ProgramState& state, common::Prompter& prompter,
                           lookup::CdDriveCommands& drive, platform::DesktopLauncher& desktop, CoverDisplay showCover)
    : catalogue_(catalogue),
      state_(state),
      prompter_(prompter),
      desktop_(desktop),
      showCover_(std::move(showCover)),
      drive_(drive)
{
}

// Made for each start: the finder then has the drive settings of the moment.
PlaybackFlow PlayCommands::flow()
{
    return PlaybackFlow(catalogue_, state_.settings, state_.lookup, drive_.finder(),
                        [this](const std::string& message) { prompter_.error(message); });
}

void PlayCommands::play()
{
    if (!catalogue_.albums().isOpen())
        return;
    xbase::Cursor& album = catalogue_.albums().cursor();
    if (state_.settings.art && showCover_ && !album.eof())
        showCover_(album.memo("Notes"));
    start(flow().playCurrentAlbum());
}

void PlayCommands::playFromTrack()
{
    catalogue::TableView& tracks = catalogue_.currentAlbumTracks();
    const std::string nr = tracks.isOpen() && !tracks->eof() ? tracks->field("NR") : std::string();
    start(flow().playDiscFrom(nr));
}

void PlayCommands::start(const std::optional<PlayerLaunch>& launch)
{
    if (!launch)
        return;
    const QString playlist = QString::fromStdString(launch->playlist);
    if (launch->program.empty()) {
        if (!desktop_.openAddress(playlist))
            prompter_.error(withPaths(kNoApplicationMessage, *launch) +
                            (common::trimmed(state_.settings.player).empty() ? kSetPlayerHint : ""));
    } else if (!desktop_.startProgram(QString::fromStdString(launch->program), playlist)) {
        prompter_.error(withPaths(kPlayerFailedMessage, *launch));
    }
}

}  // namespace playback::ui
