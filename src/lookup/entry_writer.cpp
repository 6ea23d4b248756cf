#include "lookup/entry_writer.h"

#include <algorithm>
#include <array>
#include <optional>

#include "common/trim_and_case.h"
#include "lookup/toc_arithmetic.h"
#include "lookup/xmcd_text.h"

namespace lookup {
namespace {

// Extended track lines are kept per track number of one or two digits.
constexpr std::size_t kExtendedTrackSlots = 100;
// A first line this short (an empty value or nearly) gives way to a later
// one for the same track.
constexpr std::size_t kPlaceholderLength = 9;

std::vector<std::string_view> noteLines(std::string_view notes)
{
    std::vector<std::string_view> lines;
    while (!notes.empty()) {
        const auto end = notes.find('\n');
        lines.push_back(xmcd::withoutLineEnd(notes.substr(0, end)));
        if (end == std::string_view::npos)
            break;
        notes.remove_prefix(end + 1);
    }
    return lines;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The track number of an "EXTTn=" or "EXTTnn=" line.
std::optional<std::size_t> extendedTrackIndex(std::string_view line)
{
    if (!line.starts_with("EXTT") || line.size() < 6 || !isDigit(line[4]))
        return std::nullopt;
    if (line[5] == '=')
        return static_cast<std::size_t>(line[4] - '0');
    if (line.size() >= 7 && isDigit(line[5]) && line[6] == '=')
        return static_cast<std::size_t>((line[4] - '0') * 10 + (line[5] - '0'));
    return std::nullopt;
}

}  // namespace

int nextRevision(std::string_view rev)
{
    const int stored = rev.empty() ? 0 : std::max(0, static_cast<unsigned char>(rev.front()) - '0');
    return std::min(stored + 1, kHighestRevision);
}

std::vector<std::string> writeEntry(const SubmissionAlbum& album, const platform::DiscToc& toc,
                                    std::string_view discId, std::string_view productVersion)
{
    std::vector<std::string> out{"# xmcd", "#", "# Track frame offsets:"};
    for (long offset : frameOffsets(toc))
        out.push_back("# " + std::to_string(offset));
    out.push_back("#");
    out.push_back("# Disc length: " + std::to_string(discLengthSeconds(toc)) + " seconds");
    out.push_back("#");
    out.push_back("# Revision: " + std::to_string(nextRevision(album.rev)));
    out.push_back("# Submitted via: " + std::string(kClientName) + " " + std::string(productVersion));
    out.push_back("#");
    out.push_back("DISCID=" + std::string(discId));
    out.push_back("DTITLE=" + album.artist + " / " + album.album);
    if (!common::trimmed(album.year).empty())
        out.push_back("DYEAR=" + album.year);
    out.push_back("DGENRE=" + album.genre);
    for (std::size_t k = 0; k < album.trackTitles.size(); ++k)
        out.push_back("TTITLE" + std::to_string(k) + "=" + album.trackTitles[k]);

    const std::vector<std::string_view> notes = noteLines(album.notes);
    bool anyExtendedData = false;
    std::array<std::string_view, kExtendedTrackSlots> extendedTracks{};
    for (std::string_view line : notes) {
        if (line.starts_with("EXTD=")) {
            out.emplace_back(line);
            anyExtendedData = true;
        } else if (const auto k = extendedTrackIndex(line)) {
            std::string_view& slot = extendedTracks[*k];
            if (slot.size() < kPlaceholderLength)
                slot = line;
        }
    }
    if (!anyExtendedData)
        out.push_back("EXTD=");
    for (std::size_t k = 0; k < album.trackTitles.size(); ++k) {
        if (k < kExtendedTrackSlots && !extendedTracks[k].empty())
            out.emplace_back(extendedTracks[k]);
        else
            out.push_back("EXTT" + std::to_string(k) + "=");
    }
    out.push_back("PLAYORDER=");
    return out;
}

}  // namespace lookup
