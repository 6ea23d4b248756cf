#include "editing/album_detail_labeler_list.h"


#include "catalogue/display_text.h"
#include "catalogue/file_replacement.h"
#include "common/trim_and_case.h"
#include "editing/media_usage.h"
#include "editing/multi_artist.h"

namespace editing {
namespace {

constexpr std::string_view kArtistSeparator = " / ";
constexpr std::size_t kMaxSplitTitle = 70;

std::string inQuotes(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string trimmedTime(long seconds, int width) { return std::string(common::trimmed(catalogue::timeText(seconds, width))); }

std::string trackLine(const AlbumDetail::Track& track, const std::string& albumArtist, bool various)
{
    std::string artist = albumArtist;
    std::string_view title = track.title;
    const std::size_t separator = title.find(kArtistSeparator, 1);
    if (various && separator != std::string_view::npos) {
        artist = common::trimmed(title.substr(0, separator));
        title = common::trimmed(title.substr(separator + kArtistSeparator.size())).substr(0, kMaxSplitTitle);
    }
    const char* type = track.title == "Data" ? "Data" : "Audio";
    return inQuotes(type) + "," + inQuotes(artist) + "," + inQuotes(title) + "," + inQuotes(trimmedTime(track.seconds, 2));
}

}  // namespace

std::vector<std::string> labelerList(const AlbumDetail& album)
{
    const long seconds = album.trackSeconds();
    const long count = static_cast<long>(album.tracks().size());
    // The gaps lie between the tracks, none after the last.
    const long playtime = seconds < 1 ? 0 : seconds + MediaUsage::kGapSeconds * (count - 1);
    std::vector<std::string> lines{"Surething Playlist:MVDAudioPlayList;MicroVision Development Inc.",
                                   "[Type]", "Audio CD", "",
                                   "[Title]", album.title(), "",
                                   "[Artist]", album.artist(), "",
                                   "[Tracks]", std::to_string(count), "",
                                   "[Playtime]", trimmedTime(playtime, 3), "",
                                   "[Track:Type,Artist,Title,Playtime]"};
    const bool various = isVarious(album.artist());
    for (const AlbumDetail::Track& track : album.tracks())
        lines.push_back(trackLine(track, album.artist(), various));
    return lines;
}

void writeLabelerList(const std::string& path, const std::vector<std::string>& lines)
{
    catalogue::replaceFile(path, "the labeler list", [&lines](std::ostream& out) {
        for (const std::string& line : lines)
            out << line << "\r\n";
    });
}

}  // namespace editing
