#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// One drive as the access layer reports it. The three numbers and strings
// make up its description; `device` is the layer's own handle (a device
// path or a disc image file) and means nothing to the program.
struct CdRomDrive {
    std::uint8_t hostAdapter = 0;
    std::uint8_t target = 0;
    std::uint8_t lun = 0;
    std::string vendor;
    std::string product;
    std::string revision;
    std::string device;
};

// At most this many drives are listed.
inline constexpr std::size_t kMaxCdRomDrives = 26;

struct CdRomDriveList {
    std::vector<CdRomDrive> drives;  // in the layer's order
};

}  // namespace platform
