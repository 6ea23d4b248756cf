#include "playback/m3u_playlist.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/trim_and_case.h"
#include "xbase/xbase_error.h"

namespace playback {
namespace {

constexpr std::string_view kHeader = "#EXTM3U";
constexpr std::string_view kLineEnd = "\r\n";

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

void addTrack(std::string& text, const DiscPlaylist& disc, const DiscTrack& track, int number)
{
    addLine(text, "#EXTINF:" + std::string(common::trimmed(track.secs)) + "," + std::string(unpadded(disc.artist)) +
                      " - " + std::string(unpadded(track.title)));
    addLine(text, "cdda://" + disc.device + "@" + std::to_string(number));
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
    const std::string temporary = path + ".new";
    bool written = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        written = out && out.write(text.data(), static_cast<std::streamsize>(text.size())) && out.flush();
    }
    std::error_code ec;
    if (!written) {
        std::filesystem::remove(temporary, ec);
        throw xbase::XbaseError(temporary + ": cannot write the playlist");
    }
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::filesystem::remove(temporary, ec);
        throw xbase::XbaseError(path + ": cannot replace the playlist");
    }
}

}  // namespace playback
