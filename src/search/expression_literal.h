#pragma once

#include <string>
#include <string_view>

namespace search {

// `text` as a text constant of the filter language, whatever it holds: in
// double quotes, else (when it holds a double quote) in single quotes, else
// as pieces in either quote style joined with "+", which the engine folds
// back into one constant. expressionLiteral("ab") == "\"ab\"",
// expressionLiteral("5'10\"") == "\"5'10\"+'\"'".
std::string expressionLiteral(std::string_view text);

}  // namespace search
