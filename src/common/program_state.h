#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/lookup_state.h"
#include "settings/program_settings.h"

namespace common {

// The program-wide values: prepared at start, read by every window.
// Texts are Windows-1252.
struct ProgramState {
    std::string programDir;  // the working directory, with a trailing "/"
    std::string dataDir;     // the shipped files, with a trailing "/"; "" when missing
    settings::ProgramSettings settings;
    // The genre list (sorted, case ignored), its size once start-up filled
    // it, the online database's own categories and the media texts.
    std::vector<std::string> genres;
    std::size_t genresAtStart = 0;
    std::vector<std::string> official;
    std::vector<std::string> media;
    // The drive list, the last TOC and currentAlbumId, the album being
    // worked on (up to 8 characters): the disc code and the windows share
    // this one copy.
    LookupState lookup;
    // The start-up sequence has run (it runs once).
    bool started = false;
};

}  // namespace common
