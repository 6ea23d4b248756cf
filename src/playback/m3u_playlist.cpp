#include "playback/m3u_playlist.h"

#include <algorithm>

#include "catalogue/file_replacement.h"
#include "common/trim_and_case.h"
#include "lookup/toc_arithmetic.h"

namespace playback {
namespace {

constexpr std::string_view kHeader = "#EXTM3U";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kCueExtension = ".cue";
constexpr long kMicrosPerSecond = 1000000;

// Without the blanks that pad a stored field on the right.
std::string_view unpadded(std::string_view field)
{
    while (!field.empty() && field.back() == ' ')
        field.remove_suffix(1);
    return field;
}

void addLine(std::string& text, std::string_view line)
{
    text += line;
    text += kLineEnd;
}

// Frames as seconds with six decimals, whatever the locale says of points.
std::string seconds(long frames)
{
    const long micros = frames % platform::kFramesPerSecond * kMicrosPerSecond / platform::kFramesPerSecond;
    const std::string fraction = std::to_string(micros);
    return std::to_string(frames / platform::kFramesPerSecond) + "." + std::string(6 - fraction.size(), '0') +
           fraction;
}

bool isCueSheet(std::string_view device)
{
    return device.size() > kCueExtension.size() &&
           common::equalsNoCase(device.substr(device.size() - kCueExtension.size()), kCueExtension);
}

std::string trackLine(const DiscPlaylist& disc, int number)
{
    const platform::DiscToc& toc = disc.toc;
    if (!isCueSheet(disc.device) || number < 1 || number > toc.trackCount)
        return "cdda://" + disc.device + "@" + std::to_string(number);
    const long first = lookup::frameOffset(toc.tracks[0]);
    const long start = lookup::frameOffset(toc.tracks[number - 1]);
    const long end = lookup::frameOffset(number < toc.trackCount ? toc.tracks[number] : toc.leadOut);
    return "edl://%" + std::to_string(disc.device.size()) + "%" + disc.device + "," + seconds(start - first) + "," +
           seconds(end - start);
}

void addTrack(std::string& text, const DiscPlaylist& disc, const DiscTrack& track, int number)
{
    addLine(text, "#EXTINF:" + std::string(common::trimmed(track.secs)) + "," + std::string(unpadded(disc.artist)) +
                      " - " + std::string(unpadded(track.title)));
    addLine(text, trackLine(disc, number));
}

}  // namespace

std::string cdPlaylist(const DiscPlaylist& disc, int startTrack)
{
    std::string text;
    addLine(text, kHeader);
    bool listed = false;
    if (startTrack == 0) {
        for (int mark : disc.marks) {
            const auto track = std::find_if(disc.tracks.begin(), disc.tracks.end(),
                                            [mark](const DiscTrack& t) { return t.number == mark; });
            if (track == disc.tracks.end())
                continue;
            addTrack(text, disc, *track, mark);
            listed = true;
        }
    }
    if (!listed) {
        for (const DiscTrack& track : disc.tracks)
            if (track.number >= startTrack)
                addTrack(text, disc, track, track.number);
    }
    return text;
}

std::string filePlaylist(const std::vector<std::string>& paths)
{
    std::string text;
    addLine(text, kHeader);
    for (const std::string& path : paths)
        addLine(text, path);
    return text;
}

void writePlaylist(const std::string& path, std::string_view text)
{
    catalogue::replaceFile(path, "the playlist", text);
}

}  // namespace playback
