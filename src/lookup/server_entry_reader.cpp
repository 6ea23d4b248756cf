#include "lookup/server_entry_reader.h"

#include <algorithm>
#include <climits>
#include <string>

#include "catalogue/album_codes.h"
#include "common/trim_and_case.h"
#include "lookup/xmcd_text.h"

namespace lookup {
namespace {

using namespace xmcd;

constexpr std::string_view kRevisionKey = "# Revision: ";
constexpr std::size_t kRevisionStart = 12;  // 13th character
constexpr std::size_t kTrackIndexStart = 6;  // after "TTITLE"
constexpr std::size_t kShortValueMax = 99;
constexpr std::size_t kTitleValueMax = 255;
constexpr std::size_t kTitleWidth = 73;  // TRACKS Track

void readRevision(std::string_view line, AlbumEntry& entry)
{
    if (line.size() <= kRevisionStart)
        return;
    const auto number = integerValue(common::trimmed(head(line.substr(kRevisionStart), kShortValueMax)));
    if (!number)
        return;
    const int revision = static_cast<int>(std::clamp<long>(*number, INT_MIN / 2, INT_MAX / 2));
    entry.revision = std::string(1, catalogue::revisionChar(revision));
}

void readTitle(std::string_view line, std::size_t eq, AlbumEntry& entry)
{
    if (eq <= kTrackIndexStart)
        return;
    const auto index = integerValue(common::trimmed(line.substr(kTrackIndexStart, eq - kTrackIndexStart)));
    if (!index || *index < 0 || *index >= static_cast<long>(entry.tracks.size()))
        return;
    std::string& title = entry.tracks[static_cast<std::size_t>(*index)].title;
    // A first piece that ends in a blank keeps it: the next piece follows
    // that blank.
    std::string joined(common::trimmedLeft(title));
    joined += head(line.substr(eq + 1), kTitleValueMax);
    title = collapseBackslashes(head(joined, kTitleWidth));
}

void keepExtendedData(std::string_view line, AlbumEntry& entry)
{
    const std::string_view text = common::trimmed(line);
    const auto eq = text.find('=');
    if (eq != std::string_view::npos && eq + 1 < text.size())
        entry.notes.emplace_back(line);
}

}  // namespace

void startServerEntry(AlbumEntry& entry)
{
    for (TrackRow& row : entry.tracks)
        row.title.clear();
    entry.notes.clear();
    entry.revision.assign(1, '0');
}

bool readEntryLine(std::string_view line, AlbumEntry& entry)
{
    line = withoutLineEnd(line);
    if (line.starts_with("PLAY") || line.starts_with("."))
        return false;
    if (line.find(kRevisionKey) != std::string_view::npos) {
        readRevision(line, entry);
        return true;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos || eq + 1 == line.size())
        return true;
    const std::string_view key = head(line, 4);
    const std::string_view value = line.substr(eq + 1);
    if (key == "DGEN")
        entry.genre = common::lowerAscii(head(value, kShortValueMax));
    else if (key == "DYEA")
        entry.year = std::string(head(value, kShortValueMax));
    else if (key == "TTIT")
        readTitle(line, eq, entry);
    else if (key == "EXTD" || key == "EXTT")
        keepExtendedData(line, entry);
    return true;
}

}  // namespace lookup
