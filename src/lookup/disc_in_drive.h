#pragma once

#include <optional>
#include <string>

namespace lookup {

// What start-up asks of the CD drive (CdDriveAdapter over the drive code).
// Without one the drive steps are left out (no drive test, no disc lookup).
class DiscInDrive {
public:
    virtual ~DiscInDrive() = default;
    // Whether the CD access layer works at all.
    virtual bool accessInstalled() = 0;
    // The first CD drive (a device path or disc image), "" when none; the
    // default CDPath of a new settings file.
    virtual std::string firstDrive() = 0;
    // The disc identifier (8 lower-case hexadecimal digits) of the audio
    // disc in `cdPath`; "" when an audio disc is in but no identifier could
    // be read; nothing when the drive is not ready or holds no audio disc.
    virtual std::optional<std::string> audioDiscId(const std::string& cdPath) = 0;
};

}  // namespace lookup
