#pragma once

#include <string>
#include <vector>

#include "platform/cd_rom_drive.h"
#include "platform/disc_toc.h"

namespace platform {

// The CD drive access layer: drive enumeration, TOC reading and the probes
// the program makes on the drive it is configured for (`root`, the CDPath
// setting: a device path or a disc image file). The disc identifier is
// computed from a TOC by lookup::calcDiscId, with no drive.
class CdAccess {
public:
    virtual ~CdAccess() = default;

    // Negative when the layer cannot reach any drive; zero or more when it
    // is usable.
    virtual int aspiInstalled() = 0;

    // Fills `list` with the drives found, at most kMaxCdRomDrives. When
    // `cdPath` names a disc image, that image is the only drive. Returns
    // false when no drive was found.
    virtual bool getCdRomDrives(const std::string& cdPath, CdRomDriveList& list) = 0;

    // Reads the TOC of the disc in `drive` into `toc`; trackCount stays 0
    // when nothing could be read.
    virtual void readCdToc(const CdRomDrive& drive, DiscToc& toc) = 0;

    // Device paths of the machine's CD drives, in the layer's order.
    virtual std::vector<std::string> cdRomDevices() = 0;

    // Whether the drive at `root` holds a readable medium.
    virtual bool mediumPresent(const std::string& root) = 0;
    // Whether `root` names a CD drive (or a disc image standing in for one).
    virtual bool isCdRomDrive(const std::string& root) = 0;
    // Whether the disc at `root` is an audio CD by its own account (disc
    // mode CD-DA), without reading its TOC.
    virtual bool isAudioCd(const std::string& root) = 0;
};

}  // namespace platform
