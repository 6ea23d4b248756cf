#include "playback/tracks_view.h"

#include "catalogue/program_files.h"
#include "playback/dj_export.h"
#include "xbase/expression.h"

namespace playback {
namespace {

constexpr std::string_view kFirstOrder = "Track";

}  // namespace

TracksView::TracksView(catalogue::Catalogue& catalogue, common::Prompter& prompter, catalogue::StatusReport status)
    : catalogue_(catalogue), prompter_(prompter), status_(std::move(status))
{
}

void TracksView::show(const std::string& text) const
{
    if (status_)
        status_(text);
}

void TracksView::open()
{
    catalogue::TableView& v = view();
    v.close();
    v.setFilter("");
    v.setFiltered(false);
    v.setOrder(kFirstOrder);
    v.open();
    openedStatus_ =
        "One row for each of the " + std::to_string(v->count()) + " tracks with artist entry in your database";
    show(openedStatus_);
}

void TracksView::close()
{
    catalogue::TableView& v = view();
    v.close();
    v.setFilter("");
    v.setFiltered(false);
    v.setOrder("");
}

bool TracksView::isCurrentOrder(std::string_view field) const
{
    return catalogue::isCurrentOrder(view().cursor(), field);
}

TracksView::TitleClick TracksView::orderByTitle(std::string_view field)
{
    return catalogue::orderByTitle(view().cursor(), field);
}

bool TracksView::jumpToKey(int key) { return catalogue::keyboardJump(view().cursor(), key); }

bool TracksView::setFilter(const std::string& expression)
{
    catalogue::TableView& v = view();
    if (!expression.empty() && !xbase::Expression::checkFilter(expression, v->table()).empty()) {
        prompter_.error(std::string(kInvalidTracksFilterText) + expression);
        return false;
    }
    show(std::string(kSettingFilterText));
    v.setFilter(expression);
    v.setFiltered(true);
    v->first();
    show(std::to_string(v->count()) + " tracks pass filter: " + expression);
    return true;
}

void TracksView::cancelFilter()
{
    catalogue::TableView& v = view();
    v.setFiltered(false);
    v->first();
    show(openedStatus_);
}

std::string TracksView::currentAlbumId() const
{
    const xbase::Cursor& rows = view().cursor();
    return rows.eof() ? std::string() : rows.fieldTrimmed("ID");
}

void TracksView::writeDjFile()
{
    show(std::string(kDjPreparingText));
    writeDjExport(view().cursor(), catalogue::joinPath(catalogue_.programDir(), kDjExportFileName));
    show("");
    prompter_.info(std::string(kDjCreatedText));
}

}  // namespace playback
