#include "lookup/cddb_match.h"

#include "common/trim_and_case.h"
#include "lookup/xmcd_text.h"

namespace lookup {
namespace {

constexpr std::size_t kDiscIdLength = 8;
constexpr std::size_t kMaxTitle = 255;

}  // namespace

std::optional<CddbMatch> parseCddbMatch(std::string_view line)
{
    const auto blank = line.find(' ');
    if (blank == 0 || blank == std::string_view::npos)
        return std::nullopt;
    const std::string_view rest = line.substr(blank + 1);
    if (rest.size() < kDiscIdLength || (rest.size() > kDiscIdLength && rest[kDiscIdLength] != ' '))
        return std::nullopt;

    CddbMatch match;
    match.category = line.substr(0, blank);
    match.discId = rest.substr(0, kDiscIdLength);
    const std::string_view title =
        rest.size() > kDiscIdLength ? xmcd::head(rest.substr(kDiscIdLength + 1), kMaxTitle) : std::string_view();
    const auto slash = title.find('/');
    if (slash == std::string_view::npos) {
        match.album = xmcd::collapseBackslashes(common::trimmed(title));
    } else {
        match.artist = xmcd::collapseBackslashes(common::trimmed(title.substr(0, slash)));
        match.album = xmcd::collapseBackslashes(common::trimmed(title.substr(slash + 1)));
    }
    return match;
}

}  // namespace lookup
