#include "lookup/disc_id.h"

#include <cstdio>

#include "lookup/toc_arithmetic.h"

namespace lookup {
namespace {

long digitSum(long n)
{
    long sum = 0;
    for (; n > 0; n /= 10)
        sum += n % 10;
    return sum;
}

}  // namespace

std::uint32_t calcDiscId(const platform::DiscToc& toc)
{
    long n = 0;
    for (int i = 0; i < toc.trackCount; ++i)
        n += digitSum(startSecond(toc.tracks[i]));
    const long t = startSecond(toc.leadOut) - startSecond(toc.tracks[0]);
    return (static_cast<std::uint32_t>(n % 255) << 24) | (static_cast<std::uint32_t>(t) << 8) | toc.trackCount;
}

std::string discIdText(std::uint32_t id)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(id));
    return text;
}

}  // namespace lookup
