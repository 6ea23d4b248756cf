#pragma once

#include <cstdint>
#include <string>

#include "platform/disc_toc.h"

namespace lookup {

// The freedb disc identifier of a TOC: (sum over the tracks of the decimal
// digit sums of their start seconds, mod 255) << 24 | (lead-out start second
// - first track's start second) << 8 | track count. Needs no drive.
// Requires: toc.trackCount > 0.
std::uint32_t calcDiscId(const platform::DiscToc& toc);

// 8 lower-case hexadecimal digits, zero-padded: 0x0a0b0c0d gives "0a0b0c0d".
std::string discIdText(std::uint32_t id);

}  // namespace lookup
