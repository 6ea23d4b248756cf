#pragma once

#include <functional>
#include <optional>
#include <string>

#include "common/lookup_state.h"
#include "lookup/error_box.h"
#include "platform/cd_access.h"

namespace lookup {

// The program's own drive logic over the access layer: which drive, retries
// and settling pauses, the audio-disc test and the disc identifier.
class CdDrive {
public:
    // Waits the given number of milliseconds; tests pass one that only
    // records the pauses.
    using Pause = std::function<void(int milliseconds)>;

    inline static const std::string kNoDriveMessage = "Can NOT find a CD-ROM drive";
    // GetCdRomDrives and ReadCdTOC are tried this often; the attempts after
    // the first kAttemptsAtOnce each wait kRetryPauseMs first.
    static constexpr int kAttempts = 21;
    static constexpr int kAttemptsAtOnce = 11;
    static constexpr int kRetryPauseMs = 20;
    // Waits for a drive that is not ready yet.
    static constexpr int kSettlePauseMs = 250;
    static constexpr int kProbePauseMs = 350;

    // `state` is the program-wide one; it and `access` must outlive this
    // object. Without `pause` the thread sleeps.
    CdDrive(platform::CdAccess& access, common::LookupState& state, ErrorBox showError, Pause pause = {});

    // The CDPath and DriveNr settings.
    void setDriveSettings(std::string cdPath, long driveNr);
    const std::string& cdPath() const { return cdPath_; }

    // Whether the access layer is usable (AspiInstalled not negative).
    bool accessInstalled();

    // The first CD drive of the machine ("" when there is none): the
    // default for CDPath.
    std::string firstCdRomDrive();

    // Enumerates the drives with the retry rule and rebuilds the drive list
    // and its descriptions in the state, selecting DriveNr. False when no
    // attempt found a drive (the list is then left as it was).
    bool listDrives();

    // Lists the drives, reads the TOC of drive DriveNr into currentToc and
    // sets currentAlbumId to its identifier. Shows kNoDriveMessage when no
    // drive is found (currentToc and currentAlbumId then keep their values).
    // False when no identifier was computed; currentAlbumId is then "".
    bool readDiscToc();

    // Whether an audio CD is in the drive at `root` (always called with
    // CDPath): the disc says it is CD-DA, or its TOC, read anew, has more
    // than one track.
    bool audioCdPresent(const std::string& root);

    // The identifier of the audio CD in the drive at CDPath, its TOC read
    // anew; nothing when no audio CD is in or no identifier was computed.
    std::optional<std::string> audioDiscId();

private:
    bool retry(const std::function<bool()>& attempt);

    platform::CdAccess& access_;
    common::LookupState& state_;
    ErrorBox showError_;
    Pause pause_;
    std::string cdPath_;
    long driveNr_ = 0;
};

}  // namespace lookup
