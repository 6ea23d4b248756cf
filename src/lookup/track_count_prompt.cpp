#include "lookup/track_count_prompt.h"

#include <algorithm>

#include "common/trim_and_case.h"
#include "lookup/track_list_text.h"

namespace lookup {
namespace {

const std::string kCaption = "Total Tracks Entry Form";
const std::string kQuestion = "Enter Total Number of Tracks";
const std::string kDefaultAnswer = "1";
const std::string kNotANumberMessage = "Entry must be a number (1 or more)";

std::optional<std::size_t> trackCount(std::string_view answer)
{
    answer = common::trimmed(answer);
    if (answer.empty() || !std::all_of(answer.begin(), answer.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::size_t count = 0;
    for (char c : answer) {
        count = count * 10 + static_cast<std::size_t>(c - '0');
        if (count > track_lists::kMostTracks)
            return std::nullopt;
    }
    if (count == 0)
        return std::nullopt;
    return count;
}

}  // namespace

std::size_t askTrackCount(common::Prompter& prompter)
{
    for (;;) {
        const auto answer = prompter.askText(kCaption, kQuestion, kDefaultAnswer);
        if (const auto count = trackCount(answer.value_or(kDefaultAnswer)))
            return *count;
        prompter.error(kNotANumberMessage);
    }
}

void fillNumberedTracks(std::size_t count, AlbumEntry& entry)
{
    entry.tracks.clear();
    for (std::size_t n = 1; n <= count; ++n)
        entry.tracks.push_back(track_lists::numberedRow(n, "Track " + track_lists::numberText(n)));
}

}  // namespace lookup
