#include "search/ui/album_results_window.h"

#include "common/ui/named_colours.h"

namespace search::ui {

TAlbumSet::TAlbumSet(const SearchHits& hits, common::Prompter& prompter, GoToAlbum goToAlbum, QWidget* parent)
    : ResultsWindow({"AlbumSet",
                     QColor(common::ui::colour::kGreen),
                     {{"ALBUM", "Album"}, {"ARTIST", "Artist"}, {"LABEL", "Label"}, {"GENRE", "Genre"}},
                     "Go to Album for selected row",
                     nullptr,
                     QSize(760, 420)},
                    hits, prompter, std::move(goToAlbum), parent)
{
}

}  // namespace search::ui
