#include "search/ui/artist_results_window.h"

namespace search::ui {
namespace {

const QColor kTeal(0, 128, 128);

}  // namespace

TArtSet::TArtSet(const SearchHits& hits, common::Prompter& prompter, GoToAlbum goToAlbum, QWidget* parent)
    : ResultsWindow({"ArtSet",
                     kTeal,
                     {{"NR", "#"}, {"ARTIST", "Artist"}, {"Album", "Album"}, {"Label", "Label"}},
                     "Go to Album on selected row",
                     " A number in the # column means this artist has that track on a multi-artist CD",
                     QSize(760, 420)},
                    hits, prompter, std::move(goToAlbum), parent)
{
}

}  // namespace search::ui
