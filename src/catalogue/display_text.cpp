#include "catalogue/display_text.h"

#include <cstdlib>

namespace catalogue {
namespace {

std::string padLeft(std::string text, int width)
{
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

}  // namespace

std::string timeText(long seconds, int width)
{
    // As printf's "%*ld:%.2ld" would give, without its buffer.
    const long rest = seconds % 60;
    std::string secs = std::to_string(std::labs(rest));
    if (secs.size() < 2)
        secs.insert(0, "0");
    if (rest < 0)
        secs.insert(0, "-");
    return padLeft(std::to_string(seconds / 60), width) + ":" + secs;
}

std::string numberText(long value, int width) { return padLeft(std::to_string(value), width); }

}  // namespace catalogue
