#include "playback/mark_entry.h"

#include <charconv>

#include "catalogue/display_text.h"

namespace playback {

std::string markEntry(std::string_view nr, std::string_view title, long seconds, int minuteWidth)
{
    std::string entry(nr);
    entry += '-';
    entry += title.substr(0, title.find_last_not_of(' ') + 1);
    if (seconds > 0)
        entry += " (" + catalogue::timeText(seconds, minuteWidth) + ")";
    return entry;
}

std::string entryNr(std::string_view entry) { return std::string(entry.substr(0, entry.find('-'))); }

long entryTrackNumber(std::string_view entry)
{
    const std::string nr = entryNr(entry);
    const std::size_t begin = nr.find_first_not_of(' ');
    if (begin == std::string::npos)
        return 0;
    const std::size_t end = nr.find_last_not_of(' ') + 1;
    long number = 0;
    const auto [stop, error] = std::from_chars(nr.data() + begin, nr.data() + end, number);
    return error == std::errc() && stop == nr.data() + end ? number : 0;
}

}  // namespace playback
