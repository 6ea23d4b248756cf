#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lookup/submission_album.h"
#include "platform/disc_toc.h"

namespace lookup {

inline constexpr std::string_view kClientName = "Vinora";
// The revision numbers an entry can carry.
inline constexpr int kHighestRevision = 126;

// The revision a new submission of an album carries: its stored revision
// (the character's code minus 48; an empty or lower character counts as 0)
// plus one, at most kHighestRevision.
int nextRevision(std::string_view rev);

// The xmcd entry of `album` for its disc (`toc`, `discId`), line by line
// without line ends, in the fixed layout: comment block with offsets, disc
// length, next revision and this client, then DISCID, DTITLE, DYEAR (only
// with a year), DGENRE, one TTITLE per track title, the notes' EXTD lines
// (or one empty), one EXTT line per title from the notes (or empty), and
// an empty PLAYORDER.
std::vector<std::string> writeEntry(const SubmissionAlbum& album, const platform::DiscToc& toc,
                                    std::string_view discId, std::string_view productVersion);

}  // namespace lookup
