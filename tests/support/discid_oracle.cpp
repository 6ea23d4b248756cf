#include "support/discid_oracle.h"

#include <discid/discid.h>

namespace test_support {

std::string libdiscidFreedbId(const std::vector<long>& offsets, long leadOut)
{
    int frames[100] = {};
    frames[0] = static_cast<int>(leadOut);
    for (std::size_t i = 0; i < offsets.size() && i < 99; ++i)
        frames[i + 1] = static_cast<int>(offsets[i]);
    DiscId* disc = discid_new();
    std::string id;
    if (discid_put(disc, 1, static_cast<int>(offsets.size()), frames))
        id = discid_get_freedb_id(disc);
    discid_free(disc);
    return id;
}

}  // namespace test_support
