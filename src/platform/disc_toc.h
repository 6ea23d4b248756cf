#pragma once

#include <array>
#include <cstdint>

namespace platform {

// An absolute disc position as a drive reports it, lead-in included: a
// disc's first track normally starts at 00:02:00.
struct MsfAddress {
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
    std::uint8_t frame = 0;  // 0 to 74

    bool operator==(const MsfAddress&) const = default;
};

inline constexpr int kFramesPerSecond = 75;
inline constexpr int kFramesPerMinute = 60 * kFramesPerSecond;
// Slots of a table of contents; a CD holds at most 99 tracks.
inline constexpr int kTocSlots = 100;
inline constexpr int kMaxDiscTracks = 99;

// A disc's table of contents: where each track starts and where the last
// one ends. trackCount 0 means that no TOC was read; only the first
// trackCount slots of `tracks` mean anything.
struct DiscToc {
    std::uint8_t trackCount = 0;
    MsfAddress leadOut;
    std::array<MsfAddress, kTocSlots> tracks{};
};

}  // namespace platform
