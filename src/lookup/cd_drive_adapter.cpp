#include "lookup/cd_drive_adapter.h"

namespace lookup {

std::optional<std::string> CdDriveAdapter::audioDiscId(const std::string& cdPath)
{
    drive_.setDriveSettings(cdPath, state_.settings.driveNr);
    if (!drive_.audioCdPresent(cdPath))
        return std::nullopt;
    // The disc is there but without an identifier its album cannot be
    // found (a lost drive list even leaves the previous disc's in place).
    return drive_.readDiscToc() ? state_.lookup.currentAlbumId : std::string();
}

}  // namespace lookup
