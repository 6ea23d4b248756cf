#pragma once

#include <cstdint>
#include <string>

namespace bench {

struct CollectionSize {
    std::uint32_t albums = 0;
    std::uint32_t tracks = 0;     // filled in by generateCollection
    std::uint32_t artists = 0;    // artist rows written
    std::uint32_t marks = 0;      // playlist rows written
};

// Writes the four catalogue tables (without indexes) into `dir`: albums with
// 8 to 20 tracks, about 10% multi-artist compilations with "Singer / Title"
// tracks and one artist row per track, a mix of disc and "z" identifiers,
// Windows-1252 letters in names, memos on some albums and a few marked
// tracks. The same `albums` and `seed` always give the same files.
// The folder "vinora-NAME-ALBUMS" under the system temp folder, emptied
// (made when missing).
std::string freshCollectionDir(const std::string& name, std::uint32_t albums);

CollectionSize generateCollection(const std::string& dir, std::uint32_t albums, std::uint32_t seed = 1);

}  // namespace bench
