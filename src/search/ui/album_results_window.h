#pragma once

#include "search/ui/results_window.h"

namespace search::ui {

// The album, label and notes results over albumLookup.
class TAlbumSet : public ResultsWindow {
    Q_OBJECT
public:
    TAlbumSet(const SearchHits& hits, common::Prompter& prompter, GoToAlbum goToAlbum, QWidget* parent = nullptr);
};

}  // namespace search::ui
