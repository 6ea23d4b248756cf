#pragma once

#include <string>
#include <string_view>

#include <QString>

// The outside pages the detail view leads to, opened in the web browser.
namespace editing {

enum class OutsidePage { ArtistCds, ArtistPosters, Memorabilia, Tickets };

// The artist as a search takes it: trimmed, every blank and "&" a "+",
// runs of "+" one ("Simon & Garfunkel" -> "Simon+Garfunkel").
std::string artistSearchText(std::string_view artist);

// The page's address; the two artist searches carry `artist`
// (Windows-1252) as artistSearchText gives it, its other characters
// percent-encoded.
QString outsidePageAddress(OutsidePage page, std::string_view artist);

}  // namespace editing
