#pragma once

#include "search/ui/results_window.h"

namespace search::ui {

// The artist results over artists: one row per album artist ("#" blank)
// and per track artist of a multi-artist album ("#" its track number), with
// the album's title and label looked up.
class TArtSet : public ResultsWindow {
    Q_OBJECT
public:
    TArtSet(const SearchHits& hits, common::Prompter& prompter, GoToAlbum goToAlbum, QWidget* parent = nullptr);
};

}  // namespace search::ui
