#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"

namespace editing {

// What the albums copied to one medium (one Label/Directory text) take up:
// for an album with playlist marks its marked tracks, else all its tracks,
// each with its length plus the 2-second gap, or 182 seconds when its
// length is unknown.
struct MediaUsageRow {
    std::string label;  // as stored, without the field's trailing blanks
    long seconds = 0;
    long tracks = 0;
    long albums = 0;
    bool estimated = false;  // some counted track had no length
};

class MediaUsage {
public:
    static constexpr long kGapSeconds = 2;
    static constexpr long kEstimatedSeconds = 180 + kGapSeconds;
    static constexpr std::size_t kLabelWidth = 57;
    inline static const std::string kNoLabelLine = "None of the album entries specify a Media Label/Directory";

    // Every label of the catalogue's live albums (a blank label counts
    // nothing), ordered by the time used, then by label. Labels differing
    // only in case are different media. Reads the files the views are on in
    // one pass each and moves no view.
    // Throws xbase::XbaseError when a table cannot be read.
    static std::vector<MediaUsageRow> allLabels(catalogue::Catalogue& catalogue);

    // The same for the albums whose label is exactly `label` (trailing
    // blanks aside); nothing when `label` is blank or no album carries it.
    static std::optional<MediaUsageRow> forLabel(catalogue::Catalogue& catalogue, std::string_view label);

    // The line shown for `row`: the total ("mmm:ss", wider past 999
    // minutes), a blank, the label padded with blanks to kLabelWidth (a
    // longer one kept whole) and the track count.
    static std::string line(const MediaUsageRow& row);

    // The length a track's Secs field holds; 0 when it holds no whole
    // number (blank, or typed over by another program).
    static long storedSeconds(std::string_view secs);
};

}  // namespace editing
