#pragma once

#include <string>
#include <vector>

#include "common/progress.h"
#include "reports/field_choice.h"

namespace reports {

class RecordSelection;

// Writes the data files of one CSV or XML output into `dir`, in one pass
// over the selected albums: "albums" + extension always (the `labels`
// columns), "tracks" + extension with the tracks included (every track of
// each album, in number order), "playlist" + extension with the playlists
// included (the album's marks). Returns the names written, or none when
// the user cancelled; then, as after a failure, no file of that name has
// changed.
// Requires: kind is Csv or Xml; selection prepared; labels not empty.
// Throws xbase::XbaseError when a file cannot be written or read.
std::vector<std::string> writeDataFiles(RecordSelection& selection, OutputKind kind,
                                        const std::vector<std::string>& labels, const std::string& dir,
                                        common::Progress& progress);

}  // namespace reports
