#include "search/album_filter.h"

#include "common/trim_and_case.h"
#include "xbase/expression.h"

namespace search {

std::string invalidFilterMessage(const std::string& expression, const xbase::RecordLayout& layout)
{
    const std::string reason = xbase::Expression::checkFilter(expression, layout);
    if (reason.empty())
        return reason;
    return std::string(kInvalidFilterText) + "\r" + expression + "\r" + reason;
}

AlbumFilter::AlbumFilter(catalogue::TableView& albums, common::Prompter& prompter, catalogue::StatusReport status)
    : albums_(albums), prompter_(prompter), status_(std::move(status))
{
}

std::string AlbumFilter::proposal() const
{
    const xbase::Cursor& albums = albums_.cursor();
    const std::string genre = albums.eof() ? std::string() : albums.fieldTrimmed("Genre");
    return "genre=\"" + genre + "\"";
}

AlbumFilter::Outcome AlbumFilter::apply(const std::string& expression, FilterHistory& history)
{
    if (common::trimmed(expression).size() <= kShortest)
        return Outcome::TooShort;
    xbase::Cursor& albums = albums_.cursor();
    if (const std::string invalid = invalidFilterMessage(expression, albums.table()); !invalid.empty()) {
        prompter_.error(invalid);
        return Outcome::Invalid;
    }
    albums_.setFilter(expression);
    albums_.setFiltered(true);
    if (albums.count() == 0) {
        prompter_.error(std::string(kNoRecordsPassText) + "\r" + expression);
        albums_.setFiltered(false);
        return Outcome::NoRecords;
    }
    // The album that was current may not pass.
    albums.first();
    history.add(expression);
    if (status_)
        status_(std::string(kFilteringOnText) + expression);
    return Outcome::Applied;
}

void AlbumFilter::windowClosed()
{
    if (!albums_->filtered() && status_)
        status_("");
}

void AlbumFilter::cancel()
{
    albums_.setFiltered(false);
    if (status_)
        status_("");
}

}  // namespace search
