#include "reports/print/printed_notes.h"

#include "common/notes_tags.h"

namespace reports::print {

std::vector<std::string> printedNotes(std::string_view notes)
{
    constexpr std::string_view kTrackData = "EXTT";
    constexpr std::string_view kAlbumData = "EXTD=";
    std::vector<std::string> lines;
    const common::NotesTags tags(notes);
    for (std::string_view line : tags.lines()) {
        if (line.starts_with(kTrackData))
            continue;
        if (line.starts_with(kAlbumData))
            line = common::withoutEdgeLineBreaks(line.substr(kAlbumData.size()));
        lines.emplace_back(line);
    }
    return lines;
}

}  // namespace reports::print
