#pragma once

#include <string>

#include "platform/cd_rom_drive.h"

namespace lookup {

// "(%.2d:%.2d:%.2d) %s %s %s" of host adapter, target, lun, vendor, product
// and revision: "(00:01:00) HL-DT-ST DVDRAM GH24 1.00".
std::string driveDescription(const platform::CdRomDrive& drive);

}  // namespace lookup
