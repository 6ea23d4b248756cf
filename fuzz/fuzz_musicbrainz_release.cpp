// Fuzzes the reading of MusicBrainz's JSON documents into releases: the
// input is the document, its first byte the track count of the disc looked
// up. The reader must never throw, must keep to its bounds, and must give
// either releases, an error or an empty list, never both.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lookup/musicbrainz_release.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int trackCount = data[0] % 100;
    const std::string_view json(reinterpret_cast<const char*>(data) + 1, size - 1);
    for (const std::string_view discId : {std::string_view(), std::string_view("f5x_vqgFPDlQ_6ZTBNJ2mRUQWD4-")}) {
        const lookup::MusicBrainzReading reading = lookup::readMusicBrainzReleases(json, discId, trackCount);
        if (!reading.error.empty() && !reading.releases.empty())
            std::abort();
        if (reading.releases.size() > lookup::kMaxMusicBrainzReleases)
            std::abort();
        for (const lookup::MusicBrainzRelease& release : reading.releases) {
            if (release.entry.tracks.size() > lookup::kMaxMusicBrainzTracks)
                std::abort();
            if (lookup::musicBrainzMatchText(release).find(" / ") == std::string::npos)
                std::abort();
        }
    }
    return 0;
}
