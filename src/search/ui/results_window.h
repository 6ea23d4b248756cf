#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QColor>
#include <QDialog>

#include "common/prompter.h"
#include "search/quick_search.h"
#include "search/ui/results_model.h"

namespace common::ui {
class CursorGrid;
}  // namespace common::ui

namespace search::ui {

// A quick search result window: the hits in the read-only grid DBGrid1, the
// go button Button1 (the default button) that makes the selected row's album
// current, and BitBtn1 "Close". Made for one search and shown modally.
class ResultsWindow : public QDialog {
    Q_OBJECT
public:
    // Makes the album with this identifier current and closes the window.
    using GoToAlbum = std::function<void(const std::string& id)>;

protected:
    struct Design {
        const char* objectName;
        QColor background;
        std::vector<ResultsModel::Column> columns;
        const char* goText;
        const char* note;  // above the grid; null for none
        QSize size;
    };

    ResultsWindow(const Design& design, const SearchHits& hits, common::Prompter& prompter, GoToAlbum goToAlbum,
                  QWidget* parent);

private:
    void goButtonClick();

    common::Prompter& prompter_;
    GoToAlbum goToAlbum_;
    ResultsModel* model_;
    common::ui::CursorGrid* grid_;
};

}  // namespace search::ui
