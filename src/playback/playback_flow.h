#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "common/lookup_state.h"
#include "lookup/cd_finder.h"
#include "lookup/error_box.h"
#include "settings/program_settings.h"

namespace playback {

// What to start once the playlist is written: `program` with the playlist
// as its one argument, or, when `program` is empty, the playlist opened
// with the application associated with m3u files.
struct PlayerLaunch {
    std::string program;
    std::string playlist;
};

// Play and the track grid's double click: write `Vinora.m3u` in the program
// directory and say what starts it. Showing the cover first (the `Art`
// setting) and starting the launch are the caller's.
class PlaybackFlow {
public:
    inline static const std::string kWindowsLabelMessage =
        "The media label is a Windows path that names no file here:\r";
    // All five must outlive this object.
    PlaybackFlow(catalogue::Catalogue& catalogue, const settings::ProgramSettings& settings,
                 common::LookupState& state, lookup::CdFinder& finder, lookup::ErrorBox showError);

    // Play: a local-drive album's files when its label or first notes line
    // names some, else the marked tracks (or all) of the disc in the drive,
    // once it is found in the catalogue. A local-drive album whose label is
    // a Windows path naming no file here is reported, and nothing plays;
    // so is a disc not found. Requires: albums open. Throws
    // xbase::XbaseError when the catalogue or the playlist fails.
    std::optional<PlayerLaunch> playCurrentAlbum();

    // The double click on a row whose NR is `nr` ("" for an empty grid):
    // the identified disc from that track on, marks ignored. Before any disc
    // was identified, the disc in the drive is found first.
    std::optional<PlayerLaunch> playDiscFrom(std::string_view nr);

private:
    PlayerLaunch writeDiscPlaylist(int startTrack);
    std::string playlistPath() const;

    catalogue::Catalogue& catalogue_;
    const settings::ProgramSettings& settings_;
    common::LookupState& state_;
    lookup::CdFinder& finder_;
    lookup::ErrorBox showError_;
};

}  // namespace playback
