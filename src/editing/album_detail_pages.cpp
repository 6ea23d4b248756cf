#include "editing/album_detail_pages.h"

#include "common/ansi_text.h"
#include "common/trim_and_case.h"

namespace editing {

std::string artistSearchText(std::string_view artist)
{
    std::string text;
    for (char c : common::trimmed(artist)) {
        const char put = c == ' ' || c == '&' ? '+' : c;
        if (put != '+' || !text.ends_with('+'))
            text += put;
    }
    return text;
}

QString outsidePageAddress(OutsidePage page, std::string_view artist)
{
    const QString search =
        QString::fromLatin1(common::fromAnsi(artistSearchText(artist)).toUtf8().toPercentEncoding("+"));
    switch (page) {
    case OutsidePage::ArtistCds:
        return "https://www.amazon.com/s?i=popular&k=" + search;
    case OutsidePage::ArtistPosters:
        return "https://www.ebay.com/sch/i.html?_nkw=" + search + "+poster";
    case OutsidePage::Memorabilia:
        return "https://www.ebay.com/sch/i.html?_nkw=music+memorabilia";
    case OutsidePage::Tickets:
        return "https://www.stubhub.com/concert-tickets";
    }
    return {};
}

}  // namespace editing
