#pragma once

#include <functional>
#include <string>

#include <QDialog>

#include "common/prompter.h"
#include "search/quick_search.h"
#include "search/ui/results_model.h"

namespace common::ui {
class CursorGrid;
}  // namespace common::ui

namespace search::ui {

// A quick search's result window, made for one search and shown modally:
// the hits in a read-only grid, the go button (the default button, and a
// double-click on a row) that makes the selected row's album current, and
// "Close". Artist, track and album hits each have their own design: colour,
// columns, go button text.
class ResultsWindow : public QDialog {
    Q_OBJECT
public:
    // Makes the hit's album current (and its track, when it names one) and
    // closes the window.
    using GoToAlbum = std::function<void(const ResultsModel::Hit& hit)>;

    ResultsWindow(const SearchHits& hits, common::Prompter& prompter, GoToAlbum goToAlbum, QWidget* parent = nullptr);

private:
    void goToHit();

    common::Prompter& prompter_;
    GoToAlbum goToAlbum_;
    ResultsModel* model_;
    common::ui::CursorGrid* grid_;
};

}  // namespace search::ui
