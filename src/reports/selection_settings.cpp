#include "reports/selection_settings.h"

#include <array>
#include <utility>

#include "common/trim_and_case.h"

namespace reports {

namespace {

constexpr std::array<std::pair<SortOrder, std::string_view>, 4> kTags{{{SortOrder::Artist, "Artist"},
                                                                      {SortOrder::Album, "Album"},
                                                                      {SortOrder::Label, "Label"},
                                                                      {SortOrder::Genre, "Genre"}}};

}  // namespace

std::string_view tagOf(SortOrder order)
{
    for (const auto& [o, tag] : kTags)
        if (o == order)
            return tag;
    return {};
}

SortOrder sortOrderForTag(std::string_view tag)
{
    for (const auto& [o, name] : kTags)
        if (common::equalsNoCase(tag, name))
            return o;
    return SortOrder::Natural;
}

}  // namespace reports
