#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace reports {

// The outputs that name their album columns; the extension of a data file.
enum class OutputKind { Csv, Xml, Printed };

std::string_view extensionOf(OutputKind kind);  // ".csv", ".xml"; "" for Printed

inline constexpr std::string_view kNoFieldsText = "No output fields selected";

// The ALBUMS fields an output may show, by the labels the user sees: the
// columns chosen, in output order, and those left over, sorted (case
// ignored).
struct FieldChoice {
    std::vector<std::string> chosen;
    std::vector<std::string> available;

    // The entries at `rows` of one list go to the other: to the end of the
    // chosen ones from the last row to the first (several arrive in reverse
    // order), into their sorted place among the available ones. Rows out of
    // range are ignored.
    void include(const std::vector<std::size_t>& rows);
    void exclude(const std::vector<std::size_t>& rows);
    void includeAll();
    void excludeAll();
    // Moves the chosen entry at `row` one place up (step -1) or down (+1);
    // nothing at the top or the bottom. Returns the entry's row afterwards.
    // Requires: row < chosen.size().
    std::size_t moveChosen(std::size_t row, int step);
};

// What the field chooser starts with: ALBUM and ARTIST chosen, ID too when
// tracks are included (it ties a track to its album); Notes is offered to
// XML and the printed report only; Rev and SYS never.
FieldChoice initialFieldChoice(OutputKind kind, bool includeTracks);

}  // namespace reports
