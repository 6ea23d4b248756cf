#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "xbase/table.h"

namespace playback {

// Replaces the PLAYLIST rows of album `albumId` by one row per NR in
// `numbers`, in that order, all-or-nothing: the table's other live rows and
// the new ones are written into fresh files beside it (deleted rows are
// dropped, so the table comes out packed), with its index, and swapped in
// through the engine's pack journal. Until the swap the table is as it was;
// a swap that fails part-way is finished when the table is next opened.
// Either way the album has its old marks or its new ones, never a mix.
// Afterwards `playlist` still reads the old files: close it and open the
// table again.
// Requires: `playlist` opened exclusively, with fields ID and NR. Throws
// xbase::XbaseError.
void rewriteAlbumMarks(xbase::Table& playlist, std::string_view albumId, const std::vector<std::string>& numbers);

}  // namespace playback
