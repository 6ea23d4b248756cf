#include "reports/field_choice.h"

#include <algorithm>
#include <array>

#include "common/list_rows.h"
#include "common/trim_and_case.h"

namespace reports {

namespace {

// In declaration order; Rev and SYS are left out.
constexpr std::array<std::string_view, 9> kLabels{"ALBUM", "ARTIST", "IX",    "GENRE", "YR",
                                                  "ID",    "LABEL",  "MEDIA", "Notes"};

bool lessLabel(const std::string& a, const std::string& b) { return common::lessNoCase(a, b); }

void insertSorted(std::vector<std::string>& list, std::string label)
{
    list.insert(std::upper_bound(list.begin(), list.end(), label, lessLabel), std::move(label));
}

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

void FieldChoice::include(const std::vector<std::size_t>& rows)
{
    common::takeRowsLastFirst(available, rows, [this](std::string label) { chosen.push_back(std::move(label)); });
}

void FieldChoice::exclude(const std::vector<std::size_t>& rows)
{
    common::takeRowsLastFirst(chosen, rows, [this](std::string label) { insertSorted(available, std::move(label)); });
}

void FieldChoice::includeAll()
{
    chosen.insert(chosen.end(), available.begin(), available.end());
    available.clear();
}

void FieldChoice::excludeAll()
{
    for (std::string& label : chosen)
        insertSorted(available, std::move(label));
    chosen.clear();
}

std::size_t FieldChoice::moveChosen(std::size_t row, int step)
{
    if ((step < 0 && row == 0) || (step > 0 && row + 1 >= chosen.size()))
        return row;
    const std::size_t to = step < 0 ? row - 1 : row + 1;
    std::swap(chosen[row], chosen[to]);
    return to;
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
    std::sort(choice.available.begin(), choice.available.end(), lessLabel);
    return choice;
}

}  // namespace reports
