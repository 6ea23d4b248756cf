#pragma once

#include <optional>
#include <string>

#include "common/program_state.h"
#include "lookup/cd_drive.h"
#include "lookup/disc_in_drive.h"

namespace lookup {

// The start-up sequence's view of the CD drive, served by the drive code.
// The drive is used with the DriveNr setting of the moment.
class CdDriveAdapter final : public DiscInDrive {
public:
    // Both must outlive this object; `drive` works on state.lookup.
    CdDriveAdapter(CdDrive& drive, const common::ProgramState& state) : drive_(drive), state_(state) {}

    bool accessInstalled() override { return drive_.accessInstalled(); }
    std::string firstDrive() override { return drive_.firstCdRomDrive(); }
    // An audio disc in `cdPath`: its TOC read anew ("Can NOT find a CD-ROM
    // drive" when no drive answers) and its identifier, "" when none could
    // be computed.
    std::optional<std::string> audioDiscId(const std::string& cdPath) override;

private:
    CdDrive& drive_;
    const common::ProgramState& state_;
};

}  // namespace lookup
