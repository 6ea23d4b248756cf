#include "editing/multi_artist.h"

#include "common/trim_and_case.h"
#include "editing/edit_form_texts.h"

namespace editing {
namespace {

constexpr std::string_view kVarious = "VARIOUS";
constexpr std::string_view kSeparator = " / ";
constexpr std::string_view kShortSeparator = "/";

}  // namespace

bool isVarious(std::string_view artist)
{
    if (artist.size() < kVarious.size())
        return false;
    for (std::size_t i = 0; i < kVarious.size(); ++i) {
        const char c = artist[i];
        if ((c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c) != kVarious[i])
            return false;
    }
    return true;
}

std::optional<std::string> trackArtist(std::string_view title)
{
    std::size_t p = title.find(kSeparator);
    if (p == std::string_view::npos)
        p = title.find(kShortSeparator);
    if (p == std::string_view::npos || p == 0)
        return std::nullopt;
    return std::string(common::trimmed(title.substr(0, p)));
}

std::string_view titleHeader(bool various) { return various ? kVariousTitleHeader : kTitleHeader; }

}  // namespace editing
