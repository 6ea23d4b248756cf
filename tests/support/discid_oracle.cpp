#include "support/discid_oracle.h"

#include <discid/discid.h>

namespace test_support {
namespace {

std::string libdiscidAnswer(const std::vector<long>& offsets, long leadOut, char* (*answer)(DiscId*))
{
    int frames[100] = {};
    frames[0] = static_cast<int>(leadOut);
    for (std::size_t i = 0; i < offsets.size() && i < 99; ++i)
        frames[i + 1] = static_cast<int>(offsets[i]);
    DiscId* disc = discid_new();
    std::string text;
    if (discid_put(disc, 1, static_cast<int>(offsets.size()), frames))
        text = answer(disc);
    discid_free(disc);
    return text;
}

}  // namespace

std::string libdiscidFreedbId(const std::vector<long>& offsets, long leadOut)
{
    return libdiscidAnswer(offsets, leadOut, discid_get_freedb_id);
}

std::string libdiscidMusicBrainzId(const std::vector<long>& offsets, long leadOut)
{
    return libdiscidAnswer(offsets, leadOut, discid_get_id);
}

std::string libdiscidTocText(const std::vector<long>& offsets, long leadOut)
{
    return libdiscidAnswer(offsets, leadOut, discid_get_toc_string);
}

}  // namespace test_support
