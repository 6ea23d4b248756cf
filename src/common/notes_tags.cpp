#include "common/notes_tags.h"

#include <algorithm>

namespace common {
namespace {

constexpr std::string_view kCoverTag = "COVER=";
constexpr std::string_view kUrlTag = "URL=";
constexpr std::string_view kAlbumTag = "EXTD=";
constexpr std::string_view kTrackTag = "EXTT";
constexpr std::string_view kEscapedLineBreak = "\\n";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<TrackExtension> trackExtension(std::string_view line)
{
    if (!line.starts_with(kTrackTag))
        return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view index = line.substr(kTrackTag.size(), equals - kTrackTag.size());
    if (index.empty() || index.size() > NotesTags::kMaxIndexDigits || !std::all_of(index.begin(), index.end(), isDigit))
        return std::nullopt;
    std::size_t track = 0;
    for (char c : index)
        track = track * 10 + static_cast<std::size_t>(c - '0');
    return TrackExtension{track, line.substr(equals + 1), line};
}

}  // namespace

NotesTags::NotesTags(std::string_view notes)
{
    while (!notes.empty()) {
        const std::size_t end = notes.find('\n');
        std::string_view line = notes.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines_.push_back(line);
        if (end == std::string_view::npos)
            break;
        notes.remove_prefix(end + 1);
    }
}

std::optional<std::string_view> NotesTags::lastValue(std::string_view tag) const
{
    const auto found = std::find_if(lines_.rbegin(), lines_.rend(),
                                    [tag](std::string_view line) { return line.starts_with(tag); });
    if (found == lines_.rend())
        return std::nullopt;
    return found->substr(tag.size());
}

std::optional<std::string_view> NotesTags::cover() const { return lastValue(kCoverTag); }

std::optional<std::string_view> NotesTags::url() const { return lastValue(kUrlTag); }

std::vector<std::string_view> NotesTags::albumExtensions() const
{
    std::vector<std::string_view> values;
    for (std::string_view line : lines_)
        if (line.starts_with(kAlbumTag))
            values.push_back(line.substr(kAlbumTag.size()));
    return values;
}

std::vector<TrackExtension> NotesTags::trackExtensions() const
{
    std::vector<TrackExtension> found;
    for (std::string_view line : lines_)
        if (auto extension = trackExtension(line))
            found.push_back(*extension);
    return found;
}

std::map<std::size_t, std::string_view> NotesTags::firstTrackExtensions() const
{
    std::map<std::size_t, std::string_view> first;
    for (const TrackExtension& extension : trackExtensions())
        first.try_emplace(extension.track, extension.value);
    return first;
}

std::string_view withoutEdgeLineBreaks(std::string_view value)
{
    while (value.starts_with(kEscapedLineBreak))
        value.remove_prefix(kEscapedLineBreak.size());
    while (value.ends_with(kEscapedLineBreak))
        value.remove_suffix(kEscapedLineBreak.size());
    return value;
}

}  // namespace common
