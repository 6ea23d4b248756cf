#include "search/expression_literal.h"

namespace search {
namespace {

std::string quoted(std::string_view piece, char quote) { return quote + std::string(piece) + quote; }

}  // namespace

std::string expressionLiteral(std::string_view text)
{
    if (text.find('"') == std::string_view::npos)
        return quoted(text, '"');
    if (text.find('\'') == std::string_view::npos)
        return quoted(text, '\'');
    // Both kinds: runs of double quotes go in single quotes, the rest in
    // double quotes.
    std::string joined;
    std::size_t at = 0;
    while (at < text.size()) {
        const bool doubles = text[at] == '"';
        const std::size_t end = doubles ? text.find_first_not_of('"', at) : text.find('"', at);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        if (!joined.empty())
            joined += '+';
        joined += quoted(text.substr(at, stop - at), doubles ? '\'' : '"');
        at = stop;
    }
    return joined;
}

}  // namespace search
