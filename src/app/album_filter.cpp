#include "app/album_filter.h"

#include "xbase/expression.h"

namespace app {
namespace {

// Blanks and control characters, as a trim of the text box sees them.
std::string_view trimmed(std::string_view text)
{
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace

AlbumFilter::AlbumFilter(catalogue::TableView& albums, Prompter& prompter, catalogue::StatusReport status)
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
    if (trimmed(expression).size() <= kShortest)
        return Outcome::TooShort;
    xbase::Cursor& albums = albums_.cursor();
    if (!xbase::Expression::checkFilter(expression, albums.table()).empty()) {
        prompter_.error(std::string(kInvalidFilterText) + "\r" + expression);
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

}  // namespace app
