#include "lookup/toc_arithmetic.h"

namespace lookup {

using platform::kFramesPerMinute;
using platform::kFramesPerSecond;

long frameOffset(const platform::MsfAddress& a)
{
    return a.minute * kFramesPerMinute + a.second * kFramesPerSecond + a.frame;
}

long startSecond(const platform::MsfAddress& a) { return a.minute * 60L + a.second; }

long discLengthSeconds(const platform::DiscToc& toc) { return startSecond(toc.leadOut); }

long trackLengthSeconds(const platform::DiscToc& toc, int index)
{
    const platform::MsfAddress& next = index + 1 < toc.trackCount ? toc.tracks[index + 1] : toc.leadOut;
    return startSecond(next) - startSecond(toc.tracks[index]) - 2;
}

std::vector<long> frameOffsets(const platform::DiscToc& toc)
{
    std::vector<long> offsets;
    for (int i = 0; i < toc.trackCount; ++i)
        offsets.push_back(frameOffset(toc.tracks[i]));
    return offsets;
}

std::vector<long> trackLengths(const platform::DiscToc& toc)
{
    std::vector<long> lengths;
    for (int i = 0; i < toc.trackCount; ++i)
        lengths.push_back(trackLengthSeconds(toc, i));
    return lengths;
}

platform::MsfAddress msfFromFrames(long frames)
{
    return {static_cast<std::uint8_t>(frames / kFramesPerMinute),
            static_cast<std::uint8_t>(frames / kFramesPerSecond % 60),
            static_cast<std::uint8_t>(frames % kFramesPerSecond)};
}

}  // namespace lookup
