#include "search/ui/track_results_window.h"

#include "common/ui/named_colours.h"

namespace search::ui {

TForm2::TForm2(const SearchHits& hits, common::Prompter& prompter, GoToAlbum goToAlbum, QWidget* parent)
    : ResultsWindow({"Form2",
                     QColor(common::ui::colour::kAqua),
                     {{"NR", "#", Qt::AlignRight | Qt::AlignVCenter},
                      {"TRACK", "Track"},
                      {"Artist", "Artist"},
                      {"album", "Album"}},
                     "Go to record for selected row",
                     nullptr,
                     QSize(760, 420)},
                    hits, prompter, std::move(goToAlbum), parent)
{
}

}  // namespace search::ui
