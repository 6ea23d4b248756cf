#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "common/program_state.h"
#include "common/prompter.h"
#include "lookup/cd_drive.h"
#include "lookup/cd_drive_adapter.h"
#include "lookup/cd_finder.h"
#include "platform/cd_access.h"

namespace lookup {

// The CD drive as the main window uses it: the drive steps of the start-up
// sequence and "Make CD in drive the current album" (button and popup
// entry), with the CDPath and DriveNr settings of the moment. Messages go
// to error boxes.
class CdDriveCommands {
public:
    // All must outlive this object; `pause` as CdDrive's.
    CdDriveCommands(platform::CdAccess& access, common::ProgramState& state, common::Prompter& prompter,
                    catalogue::Catalogue& catalogue, CdDrive::Pause pause = {});
    CdDriveCommands(const CdDriveCommands&) = delete;
    CdDriveCommands& operator=(const CdDriveCommands&) = delete;

    // What the start-up sequence asks of the drive.
    DiscInDrive& discInDrive() { return adapter_; }
    // "Make CD in drive the current album".
    void findCd();
    // The drive descriptions for the user's choice, nothing when no drive
    // was found.
    std::optional<std::vector<std::string>> listDrives();
    // The disc finder over this drive, its CDPath and DriveNr those of the
    // moment: other commands that find the disc in the drive use this one.
    CdFinder& finder();
    // The first CD drive of the machine, "" when there is none.
    std::string firstCdDrive() { return drive_.firstCdRomDrive(); }

private:
    const common::ProgramState& state_;
    CdDrive drive_;
    CdFinder finder_;
    CdDriveAdapter adapter_;
};

}  // namespace lookup
