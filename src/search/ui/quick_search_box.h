#pragma once

#include <functional>

#include <QGroupBox>

#include "common/prompter.h"
#include "search/quick_search.h"
#include "search/ui/results_window.h"

class QComboBox;
class QLineEdit;

namespace search::ui {

// The main window's " Quick Search" box: the field list, the text box,
// "Find It" (Enter in the text box too) and "Clear". A search with hits
// shows its result window over the box's window; picking a hit there hands
// its album to `goToAlbum`.
class QuickSearchBox : public QGroupBox {
    Q_OBJECT
public:
    // The catalogue of the moment; null while there is none.
    using CatalogueSource = std::function<catalogue::Catalogue*()>;

    QuickSearchBox(common::Prompter& prompter, CatalogueSource catalogue, ResultsWindow::GoToAlbum goToAlbum,
                   QWidget* parent = nullptr);

signals:
    // A search ran (hits shown or not): the grids may have moved.
    void searched();

private:
    void findText();
    void clear();

    common::Prompter& prompter_;
    CatalogueSource catalogue_;
    ResultsWindow::GoToAlbum goToAlbum_;
    QComboBox* field_;
    QLineEdit* text_;
};

}  // namespace search::ui
