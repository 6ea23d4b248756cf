#include "reports/field_choice.h"

#include <algorithm>
#include <array>

#include "common/trim_and_case.h"

namespace reports {

namespace {

// In declaration order; Rev and SYS are left out.
constexpr std::array<std::string_view, 9> kLabels{"ALBUM", "ARTIST", "IX",    "GENRE", "YR",
                                                  "ID",    "LABEL",  "MEDIA", "Notes"};

}  // namespace

std::string_view extensionOf(OutputKind kind)
{
    switch (kind) {
    case OutputKind::Csv:
        return ".csv";
    case OutputKind::Xml:
        return ".xml";
    case OutputKind::Printed:
        break;
    }
    return {};
}

FieldChoice initialFieldChoice(OutputKind kind, bool includeTracks)
{
    FieldChoice choice;
    for (std::string_view label : kLabels) {
        if (label == "Notes" && kind == OutputKind::Csv)
            continue;
        const bool chosen = label == "ALBUM" || label == "ARTIST" || (label == "ID" && includeTracks);
        (chosen ? choice.chosen : choice.available).emplace_back(label);
    }
    std::sort(choice.available.begin(), choice.available.end(),
              [](const std::string& a, const std::string& b) { return common::lessNoCase(a, b); });
    return choice;
}

}  // namespace reports
