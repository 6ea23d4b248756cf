#include "search/quick_search.h"

#include "search/expression_literal.h"

namespace search {
namespace {

constexpr std::string_view kNotFound = "Could not find: ";
// Lookups read albumLookup through its current order, so it must be in ID
// order while a result grid shows looked-up titles.
constexpr std::string_view kIdOrder = "ID";

struct FieldDesign {
    std::string_view field;    // searched with contains()
    std::string_view order;    // set on the view first; empty: left as it is
    std::string_view caption;  // before the quoted text
};

constexpr std::array<FieldDesign, 5> kDesigns{{
    {"artist", "Artist", "Vinora One-Stop Artist Search (including multi-artist) for "},
    {"album", "Album", "Vinora - Albums containing "},
    {"label", "Label", "Vinora - Label/Directory containing "},
    {"notes", "", "Vinora - Notes containing "},
    {"track", "Tracks", "Vinora - Tracks containing "},
}};

const FieldDesign& design(SearchField field) { return kDesigns[static_cast<std::size_t>(field)]; }

}  // namespace

QuickSearch::QuickSearch(catalogue::Catalogue& catalogue, common::Prompter& prompter)
    : catalogue_(catalogue), prompter_(prompter)
{
}

std::string QuickSearch::filterFor(SearchField field, std::string_view text)
{
    const std::string pattern = field == SearchField::Notes ? "*" + std::string(text) + "*" : std::string(text);
    return "contains(" + std::string(design(field).field) + "," + expressionLiteral(pattern) + ")";
}

std::string QuickSearch::captionFor(SearchField field, std::string_view text, std::uint32_t count)
{
    return std::string(design(field).caption) + "\"" + std::string(text) + "\" (" + std::to_string(count) + " found)";
}

catalogue::TableView& QuickSearch::viewFor(SearchField field)
{
    switch (field) {
    case SearchField::Artist:
        return catalogue_.artists();
    case SearchField::Track:
        return catalogue_.allTracks();
    default:
        return catalogue_.albumLookup();
    }
}

bool QuickSearch::find(SearchField field, const std::string& text, const ResultWindow& show)
{
    if (text.empty())
        return false;
    bool shown = false;
    try {
        shown = run(field, text, show);
    } catch (...) {
        restore(field);
        throw;
    }
    restore(field);
    return shown;
}

void QuickSearch::prepare(SearchField field)
{
    if (field == SearchField::Track) {
        // Another window may have left it exclusive.
        catalogue::TableView& tracks = catalogue_.allTracks();
        tracks.close();
        tracks.setExclusive(false);
        tracks.setOrder(design(field).order);
        tracks.open();
        filterOrder_ = catalogue_.albumLookup().order();
        prepareLookups();
        return;
    }
    catalogue::TableView& view = viewFor(field);
    view.open();
    if (!design(field).order.empty())
        view.setOrder(design(field).order);
}

void QuickSearch::prepareLookups()
{
    catalogue::TableView& albums = catalogue_.albumLookup();
    albums.open();
    albums.setFiltered(false);
    albums.setOrder(kIdOrder);
}

bool QuickSearch::run(SearchField field, const std::string& text, const ResultWindow& show)
{
    prepare(field);
    catalogue::TableView& view = viewFor(field);
    view.setFilter(filterFor(field, text));
    view.setFiltered(true);
    view->first();
    if (view->eof()) {
        prompter_.info(std::string(kNotFound) + text);
        return false;
    }
    if (field == SearchField::Artist)
        prepareLookups();
    const std::uint32_t count = view->count();
    show({field, view, captionFor(field, text, count), count, text});
    return true;
}

void QuickSearch::restore(SearchField field)
{
    if (field == SearchField::Artist)
        catalogue_.artists().setFiltered(false);
    if (field == SearchField::Track) {
        catalogue_.allTracks().setFiltered(false);
        if (filterOrder_)
            catalogue_.albumLookup().setOrder(*filterOrder_);
        filterOrder_.reset();
    }
    catalogue_.albumLookup().setFiltered(false);
}

}  // namespace search
