#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/cd_rom_drive.h"
#include "platform/disc_toc.h"

namespace common {

// The program-wide values of disc identification, one instance for the run.
// Every TOC read overwrites the drive list, descriptions, TOC and identifier.
struct LookupState {
    platform::CdRomDriveList driveList;  // the last list read
    // One "(00:01:00) VENDOR PRODUCT REV" text per drive, and the index of
    // the chosen one (DriveNr, unchecked).
    std::vector<std::string> driveDescriptions;
    std::size_t selectedDescription = 0;
    platform::DiscToc currentToc;  // the last TOC read
    // The disc identifier (8 lower-case hex digits) or "" when none could
    // be computed; also set from a pasted entry's DISCID and by other
    // windows to the current album's ID.
    std::string currentAlbumId;
    // The album's playing time the edit form shows; 0 when unknown.
    long runningSeconds = 0;
};

}  // namespace common
