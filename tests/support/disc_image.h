#pragma once

#include <string>
#include <vector>

namespace test_support {

// One track of a disc image to make, at the absolute frame where it starts
// (lead-in included: a usual first track starts at 150).
struct ImageTrack {
    long offset = 150;
    long pregap = 0;    // frames before it held in the image (INDEX 00)
    bool data = false;  // a MODE1/2352 data track instead of audio
};

// Writes `name`.cue into `dir` with a sparse `name`.bin holding the disc from
// frame 150 up to `leadOut`; returns the .cue path. A first track that
// starts after frame 150 gets the frames before it as its pregap.
std::string writeCueImage(const std::string& dir, const std::string& name, const std::vector<ImageTrack>& tracks,
                          long leadOut);

// The same for audio tracks as a cdrdao TOC file (`name`.toc), naming its
// data file by its full path.
// Requires: the first track starts at 150.
std::string writeTocImage(const std::string& dir, const std::string& name, const std::vector<long>& offsets,
                          long leadOut);

// Tracks at `offsets`, audio, no pregaps.
std::vector<ImageTrack> audioTracks(const std::vector<long>& offsets);

}  // namespace test_support
