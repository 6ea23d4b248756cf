#include "lookup/cd_drive_commands.h"

namespace lookup {

CdDriveCommands::CdDriveCommands(platform::CdAccess& access, common::ProgramState& state, common::Prompter& prompter,
                                 catalogue::Catalogue& catalogue, CdDrive::Pause pause)
    : state_(state),
      drive_(access, state.lookup, [&prompter](const std::string& message) { prompter.error(message); },
             std::move(pause)),
      finder_(drive_, state.lookup, catalogue, [&prompter](const std::string& message) { prompter.error(message); }),
      adapter_(drive_, state)
{
}

void CdDriveCommands::findCd() { finder().findCdInCollection(true); }

CdFinder& CdDriveCommands::finder()
{
    drive_.setDriveSettings(state_.settings.cdPath, state_.settings.driveNr);
    return finder_;
}

std::optional<std::vector<std::string>> CdDriveCommands::listDrives()
{
    drive_.setDriveSettings(state_.settings.cdPath, state_.settings.driveNr);
    if (!drive_.listDrives())
        return std::nullopt;
    return state_.lookup.driveDescriptions;
}

}  // namespace lookup
