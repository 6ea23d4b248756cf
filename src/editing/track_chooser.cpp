#include "editing/track_chooser.h"

#include "common/trim_and_case.h"

namespace editing {
namespace {

constexpr std::size_t kNumberWidth = 3;

}  // namespace

std::optional<std::vector<std::string>> TrackChooser::entries(const std::vector<lookup::TrackRow>& rows)
{
    if (rows.empty()) {
        prompter_.error(std::string(kNoTracksText));
        return std::nullopt;
    }
    std::vector<std::string> entries;
    for (const lookup::TrackRow& row : rows) {
        const std::string_view number = common::trimmed(row.number);
        std::string entry(number.size() < kNumberWidth ? kNumberWidth - number.size() : 0, ' ');
        entries.push_back(entry.append(number).append("-").append(row.title));
    }
    return entries;
}

std::optional<std::size_t> TrackChooser::preselected(std::size_t count) const
{
    if (counter_ < count)
        return counter_;
    return std::nullopt;
}

bool TrackChooser::accept(std::optional<std::size_t> selected)
{
    if (!selected) {
        prompter_.error(std::string(kNoTrackSelectedText));
        return false;
    }
    ++counter_;
    return true;
}

}  // namespace editing
