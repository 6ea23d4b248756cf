#include "editing/track_time.h"

#include <charconv>

#include "common/trim_and_case.h"

namespace editing {
namespace {

constexpr std::size_t kSecondsDigits = 2;

long numberOrZero(std::string_view text)
{
    text = common::trimmed(text);
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= 0 ? value : 0;
}

}  // namespace

long cellSeconds(std::string_view cell)
{
    const std::size_t colon = cell.find(':');
    if (colon == std::string_view::npos)
        return 0;
    return numberOrZero(cell.substr(0, colon)) * 60 + numberOrZero(cell.substr(colon + 1, kSecondsDigits));
}

}  // namespace editing
