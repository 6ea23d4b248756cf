#pragma once

#include "app/cd_drive_adapter.h"
#include "catalogue/catalogue.h"
#include "common/program_state.h"
#include "common/prompter.h"
#include "lookup/cd_drive.h"
#include "lookup/cd_finder.h"
#include "platform/cd_access.h"

namespace app::ui {

class TForm1;

// The CD drive in the main window: the drive steps of the start-up
// sequence and "Make CD in drive the current album" (button and popup
// entry), with the CDPath and DriveNr settings of the moment. Messages go
// to error boxes.
class CdDriveCommands {
public:
    // Registers the find feature on `form` and hands it the drive for
    // start-up. All must outlive this object; `pause` as lookup::CdDrive's.
    CdDriveCommands(platform::CdAccess& access, common::ProgramState& state, common::Prompter& prompter, TForm1& form,
                    catalogue::Catalogue& catalogue, lookup::CdDrive::Pause pause = {});
    CdDriveCommands(const CdDriveCommands&) = delete;
    CdDriveCommands& operator=(const CdDriveCommands&) = delete;

private:
    void findCd();

    const common::ProgramState& state_;
    lookup::CdDrive drive_;
    lookup::CdFinder finder_;
    CdDriveAdapter adapter_;
};

}  // namespace app::ui
