#pragma once

#include "search/ui/results_window.h"

namespace search::ui {

// The track results over allTracks, with the album's artist and title looked up.
class TForm2 : public ResultsWindow {
    Q_OBJECT
public:
    TForm2(const SearchHits& hits, common::Prompter& prompter, GoToAlbum goToAlbum, QWidget* parent = nullptr);
};

}  // namespace search::ui
