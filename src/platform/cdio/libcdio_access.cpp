#include "platform/cdio/libcdio_access.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <sys/stat.h>

namespace platform {
namespace {

struct CdioCloser {
    void operator()(CdIo_t* cdio) const { cdio_destroy(cdio); }
};
using CdioHandle = std::unique_ptr<CdIo_t, CdioCloser>;

// The last address a TOC entry can hold: minutes are one byte.
constexpr long kLastAddressableFrame = 255L * kFramesPerMinute + 59L * kFramesPerSecond + 74;

void ignoreLog(cdio_log_level_t, const char*) {}

std::string lowerExtension(const std::string& path)
{
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

driver_id_t driverFor(const std::string& path)
{
    const std::string ext = lowerExtension(path);
    if (ext == "cue")
        return DRIVER_BINCUE;
    if (ext == "toc")
        return DRIVER_CDRDAO;
    if (ext == "nrg")
        return DRIVER_NRG;
    return DRIVER_DEVICE;
}

bool isRegularFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

CdioHandle open(const std::string& path)
{
    if (path.empty())
        return nullptr;
    return CdioHandle(cdio_open(path.c_str(), driverFor(path)));
}

// SCSI identification strings come blank-padded.
std::string trimmedRight(const char* text)
{
    std::string s(text);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0'))
        s.pop_back();
    return s;
}

CdRomDrive describe(const std::string& device, std::size_t index)
{
    CdRomDrive drive;
    drive.target = static_cast<std::uint8_t>(index);
    drive.device = device;
    if (CdioHandle cdio = open(device)) {
        cdio_hwinfo_t info{};
        if (cdio_get_hwinfo(cdio.get(), &info)) {
            drive.vendor = trimmedRight(info.psz_vendor);
            drive.product = trimmedRight(info.psz_model);
            drive.revision = trimmedRight(info.psz_revision);
        }
    }
    return drive;
}

// libcdio's LBA already counts the 150 frames of the lead-in; its own MSF
// form is BCD and stops at 99 minutes, so the address is worked out here.
bool toMsf(lba_t lba, MsfAddress& msf)
{
    if (lba == CDIO_INVALID_LBA || lba < 0 || lba > kLastAddressableFrame)
        return false;
    msf.minute = static_cast<std::uint8_t>(lba / kFramesPerMinute);
    msf.second = static_cast<std::uint8_t>(lba / kFramesPerSecond % 60);
    msf.frame = static_cast<std::uint8_t>(lba % kFramesPerSecond);
    return true;
}

}  // namespace

LibcdioAccess::LibcdioAccess() { cdio_log_set_handler(ignoreLog); }

bool LibcdioAccess::isImagePath(const std::string& path) { return driverFor(path) != DRIVER_DEVICE; }

int LibcdioAccess::aspiInstalled()
{
    return cdio_have_driver(DRIVER_LINUX) || cdio_have_driver(DRIVER_BINCUE) ? 0 : -1;
}

bool LibcdioAccess::getCdRomDrives(const std::string& cdPath, CdRomDriveList& list)
{
    list.drives.clear();
    if (isImagePath(cdPath)) {
        if (!isRegularFile(cdPath))
            return false;
        list.drives.push_back(describe(cdPath, 0));
        return true;
    }
    for (const std::string& device : cdRomDevices()) {
        if (list.drives.size() == kMaxCdRomDrives)
            break;
        list.drives.push_back(describe(device, list.drives.size()));
    }
    return !list.drives.empty();
}

void LibcdioAccess::readCdToc(const CdRomDrive& drive, DiscToc& toc)
{
    toc.trackCount = 0;
    CdioHandle cdio = open(drive.device);
    if (!cdio)
        return;
    const track_t first = cdio_get_first_track_num(cdio.get());
    const track_t count = cdio_get_num_tracks(cdio.get());
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0 || count > kMaxDiscTracks)
        return;
    // A damaged image can put tracks out of order or past the lead-out; no
    // drive reports such a disc.
    DiscToc read;
    lba_t previous = 0;
    for (int i = 0; i <= count; ++i) {
        const bool leadOut = i == count;
        const track_t track = leadOut ? track_t{CDIO_CDROM_LEADOUT_TRACK} : static_cast<track_t>(first + i);
        const lba_t lba = cdio_get_track_lba(cdio.get(), track);
        if (lba <= previous || !toMsf(lba, leadOut ? read.leadOut : read.tracks[i]))
            return;
        previous = lba;
    }
    read.trackCount = static_cast<std::uint8_t>(count);
    toc = read;
}

std::vector<std::string> LibcdioAccess::cdRomDevices()
{
    std::vector<std::string> devices;
    char** names = cdio_get_devices(DRIVER_DEVICE);
    for (char** name = names; name && *name; ++name)
        devices.emplace_back(*name);
    cdio_free_device_list(names);
    return devices;
}

bool LibcdioAccess::mediumPresent(const std::string& root)
{
    if (isImagePath(root) && !isRegularFile(root))
        return false;
    CdioHandle cdio = open(root);
    return cdio && cdio_get_num_tracks(cdio.get()) != CDIO_INVALID_TRACK;
}

bool LibcdioAccess::isCdRomDrive(const std::string& root)
{
    if (root.empty())
        return false;
    if (isImagePath(root))
        return isRegularFile(root);
    return cdio_is_device(root.c_str(), DRIVER_DEVICE);
}

bool LibcdioAccess::isAudioCd(const std::string& root)
{
    if (isImagePath(root) && !isRegularFile(root))
        return false;
    CdioHandle cdio = open(root);
    return cdio && cdio_get_discmode(cdio.get()) == CDIO_DISC_MODE_CD_DA;
}

}  // namespace platform
