#pragma once

#include "platform/cd_access.h"

namespace test_support {

// A drive access layer that passes every call to a real one, except that
// drive enumeration and TOC reads fail a set number of times first, and the
// audio-disc answer can be forced. Counts the calls.
class FlakyCdAccess final : public platform::CdAccess {
public:
    explicit FlakyCdAccess(platform::CdAccess& real) : real_(real) {}

    int failDriveLists = 0;  // enumerations that fail before they pass through
    int failTocReads = 0;    // TOC reads that give nothing before they pass through
    int forcedAudioCd = -1;  // 0 or 1 answers isAudioCd; -1 asks the real layer
    int forcedMedium = -1;   // the same for mediumPresent
    int driveListCalls = 0;
    int tocReadCalls = 0;

    int aspiInstalled() override { return real_.aspiInstalled(); }
    bool getCdRomDrives(const std::string& cdPath, platform::CdRomDriveList& list) override
    {
        ++driveListCalls;
        if (failDriveLists > 0) {
            --failDriveLists;
            return false;
        }
        return real_.getCdRomDrives(cdPath, list);
    }
    void readCdToc(const platform::CdRomDrive& drive, platform::DiscToc& toc) override
    {
        ++tocReadCalls;
        if (failTocReads > 0) {
            --failTocReads;
            toc.trackCount = 0;
            return;
        }
        real_.readCdToc(drive, toc);
    }
    std::vector<std::string> cdRomDevices() override { return real_.cdRomDevices(); }
    bool mediumPresent(const std::string& root) override
    {
        return forcedMedium >= 0 ? forcedMedium == 1 : real_.mediumPresent(root);
    }
    bool isCdRomDrive(const std::string& root) override { return real_.isCdRomDrive(root); }
    bool isAudioCd(const std::string& root) override
    {
        return forcedAudioCd >= 0 ? forcedAudioCd == 1 : real_.isAudioCd(root);
    }

private:
    platform::CdAccess& real_;
};

}  // namespace test_support
