#include "lookup/cd_drive.h"

#include <chrono>
#include <thread>

#include "lookup/disc_id.h"
#include "lookup/drive_description.h"

namespace lookup {

CdDrive::CdDrive(platform::CdAccess& access, common::LookupState& state, ErrorBox showError, Pause pause)
    : access_(access), state_(state), showError_(std::move(showError)), pause_(std::move(pause))
{
    if (!pause_)
        pause_ = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
}

void CdDrive::setDriveSettings(std::string cdPath, long driveNr)
{
    cdPath_ = std::move(cdPath);
    driveNr_ = driveNr;
}

bool CdDrive::accessInstalled() { return access_.aspiInstalled() >= 0; }

std::string CdDrive::firstCdRomDrive()
{
    const std::vector<std::string> devices = access_.cdRomDevices();
    return devices.empty() ? std::string() : devices.front();
}

bool CdDrive::retry(const std::function<bool()>& attempt)
{
    for (int i = 0; i < kAttempts; ++i) {
        if (i >= kAttemptsAtOnce)
            pause_(kRetryPauseMs);
        if (attempt())
            return true;
    }
    return false;
}

bool CdDrive::listDrives()
{
    platform::CdRomDriveList found;
    if (!retry([&] { return access_.getCdRomDrives(cdPath_, found); }))
        return false;
    state_.driveList = std::move(found);
    state_.driveDescriptions.clear();
    for (const platform::CdRomDrive& drive : state_.driveList.drives)
        state_.driveDescriptions.push_back(driveDescription(drive));
    state_.selectedDescription = static_cast<std::size_t>(driveNr_ < 0 ? 0 : driveNr_);
    return true;
}

bool CdDrive::readDiscToc()
{
    if (!listDrives()) {
        showError_(kNoDriveMessage);
        return false;
    }
    state_.currentAlbumId.clear();
    state_.currentToc.trackCount = 0;
    if (!access_.mediumPresent(cdPath_))
        pause_(kSettlePauseMs);
    // A DriveNr past the list names no drive: nothing can be read.
    const auto& drives = state_.driveList.drives;
    if (driveNr_ < 0 || static_cast<std::size_t>(driveNr_) >= drives.size())
        return false;
    const platform::CdRomDrive& drive = drives[static_cast<std::size_t>(driveNr_)];
    if (!retry([&] {
            access_.readCdToc(drive, state_.currentToc);
            return state_.currentToc.trackCount > 0;
        }))
        return false;
    state_.currentAlbumId = discIdText(calcDiscId(state_.currentToc));
    return true;
}

bool CdDrive::audioCdPresent(const std::string& root)
{
    // No drive configured: there is no drive to settle, so no pause.
    if (root.empty())
        return false;
    if (!access_.mediumPresent(root)) {
        pause_(kProbePauseMs);
        if (!access_.mediumPresent(root))
            return false;
    }
    if (!access_.isCdRomDrive(root))
        return false;
    if (access_.isAudioCd(root))
        return true;
    state_.currentToc.trackCount = 0;
    readDiscToc();
    return state_.currentToc.trackCount > 1;
}

std::optional<std::string> CdDrive::audioDiscId()
{
    if (!audioCdPresent(cdPath_) || !readDiscToc())
        return std::nullopt;
    return state_.currentAlbumId;
}

}  // namespace lookup
