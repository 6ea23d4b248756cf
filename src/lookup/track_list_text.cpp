#include "lookup/track_list_text.h"

#include <algorithm>
#include <cstdio>

namespace lookup::track_lists {

std::string numberText(std::size_t number)
{
    char text[24];
    std::snprintf(text, sizeof text, "%.2zu", number);
    return text;
}

TrackRow numberedRow(std::size_t number, std::string title) { return {numberText(number), {}, std::move(title)}; }

std::optional<std::size_t> dotAfterDigit(std::string_view line)
{
    const auto dot = line.find('.');
    if (dot == std::string_view::npos || dot == 0 || line[dot - 1] < '0' || line[dot - 1] > '9')
        return std::nullopt;
    return dot;
}

std::optional<std::size_t> dotAfterLeadingNumber(std::string_view line)
{
    const auto dot = dotAfterDigit(line);
    if (!dot || !std::all_of(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(*dot),
                             [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return dot;
}

void makeArtistVarious(EditMode mode, AlbumEntry& entry, TrackListResult& result)
{
    if (!isNewAlbumMode(mode))
        return;
    entry.artist = kVariousArtist;
    result.artistSelected = true;
}

TrackListResult& sayWhenEmpty(TrackListResult& result)
{
    if (result.tracks == 0 && result.errors.empty())
        result.notices.push_back(kNoTrackListMessage);
    return result;
}

}  // namespace lookup::track_lists
