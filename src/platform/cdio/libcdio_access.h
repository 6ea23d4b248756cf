#pragma once

#include "platform/cd_access.h"

namespace platform {

// The drive access layer over libcdio. A path ending in .cue, .toc or .nrg
// is opened as a disc image (libcdio's BIN/CUE, cdrdao and Nero drivers),
// anything else as a device. Each drive is described as host adapter 0,
// target = its index in the list, lun 0, with the vendor, model and
// revision libcdio reports (for an image: the library's name and the image
// format).
class LibcdioAccess final : public CdAccess {
public:
    // Silences libcdio's own messages: every failure is answered through
    // the results below.
    LibcdioAccess();

    int aspiInstalled() override;
    bool getCdRomDrives(const std::string& cdPath, CdRomDriveList& list) override;
    void readCdToc(const CdRomDrive& drive, DiscToc& toc) override;
    std::vector<std::string> cdRomDevices() override;
    bool mediumPresent(const std::string& root) override;
    bool isCdRomDrive(const std::string& root) override;
    bool isAudioCd(const std::string& root) override;

    // Whether `path` names a disc image by its extension (case ignored).
    static bool isImagePath(const std::string& path);
};

}  // namespace platform
