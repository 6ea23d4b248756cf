#include "app/ui/cd_drive_commands.h"

#include "app/ui/main_window.h"

namespace app::ui {

CdDriveCommands::CdDriveCommands(platform::CdAccess& access, common::ProgramState& state, common::Prompter& prompter,
                                 TForm1& form, catalogue::Catalogue& catalogue, lookup::CdDrive::Pause pause)
    : state_(state),
      drive_(
          access, state.lookup, [&prompter](const std::string& message) { prompter.error(message); }, std::move(pause)),
      finder_(drive_, state.lookup, catalogue, [&prompter](const std::string& message) { prompter.error(message); }),
      adapter_(drive_, state)
{
    form.setDiscInDrive(&adapter_);
    // The window repaints its grids after every feature: a found album is
    // shown at once.
    form.setFeature(Feature::FindCd, [this] { findCd(); });
}

void CdDriveCommands::findCd()
{
    drive_.setDriveSettings(state_.settings.cdPath, state_.settings.driveNr);
    finder_.findCdButtonClick();
}

}  // namespace app::ui
