#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace reports {

// The outputs that name their album columns; the extension of a data file.
enum class OutputKind { Csv, Xml, Printed };

std::string_view extensionOf(OutputKind kind);  // ".csv", ".xml"; "" for Printed

// The ALBUMS fields an output may show, by the labels the user sees: the
// columns chosen, in output order, and those left over, sorted.
struct FieldChoice {
    std::vector<std::string> chosen;
    std::vector<std::string> available;
};

// What the field chooser starts with: ALBUM and ARTIST chosen, ID too when
// tracks are included (it ties a track to its album); Notes is offered to
// XML and the printed report only; Rev and SYS never.
FieldChoice initialFieldChoice(OutputKind kind, bool includeTracks);

}  // namespace reports
