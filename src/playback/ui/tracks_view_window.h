#pragma once

#include <functional>
#include <string>
#include <string_view>

#include <QDialog>

#include "catalogue/catalogue.h"
#include "catalogue/status_report.h"
#include "common/prompter.h"
#include "playback/tracks_view.h"

class QLineEdit;
class QPushButton;
class QStatusBar;

namespace common::ui {
class CursorGrid;
}  // namespace common::ui

namespace playback::ui {

class TracksViewModel;

// " Vinora - Track View": the whole collection one track per row in a
// grid that reads its rows through the view's cursor as they are shown,
// with the filter, the way back to the album, the DJ upload file and help.
class TracksViewWindow : public QDialog {
    Q_OBJECT
public:
    struct Services {
        // Makes the album with this identifier current and closes the
        // active modal window (this one).
        std::function<void(const std::string& id)> goToAlbum;
        // Opens a help page reference ("CDhelp2.html#tview").
        std::function<void(std::string_view page)> openPage;
        // The main window's status bar, for the texts of the build.
        catalogue::StatusReport showStatus;
        // Runs the build while the windows that read the catalogue's tables
        // let go of them (it reads them in another thread); none: nothing
        // else reads them.
        std::function<void(const std::function<void()>& step)> whileTablesUnread;
    };

    // The view's work table is built when missing (under a progress
    // window that can stop it), then the window is shown modally over
    // `parent`; the view is closed again when it closes. Errors go to the
    // error box.
    static void showModal(catalogue::Catalogue& catalogue, common::Prompter& prompter, Services services,
                          QWidget* parent);

    // Requires: the work table built; `catalogue` and `prompter` outlive
    // the window.
    TracksViewWindow(catalogue::Catalogue& catalogue, common::Prompter& prompter, Services services,
                     QWidget* parent = nullptr);
    ~TracksViewWindow() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildWindow();
    void connectControls();
    void act(const std::function<void()>& action);
    // The grid after the cursor moved or its rows changed.
    void showCurrentRow(bool rowsChanged);
    void goToRow(int row);
    void orderByTitle(int column);
    void jumpToKey(int key);
    void setFilter();
    void cancelFilter();
    void switchToAlbum();
    void writeDjFile();
    void fitColumns();

    common::Prompter& prompter_;
    Services services_;
    TracksView view_;
    bool syncing_ = false;

    TracksViewModel* model_;
    common::ui::CursorGrid* grid_;
    QLineEdit* filterEdit_;
    QPushButton* setFilterButton_;
    QPushButton* cancelFilterButton_;
    QPushButton* examplesButton_;
    QPushButton* switchButton_;
    QPushButton* djButton_;
    QPushButton* helpButton_;
    QPushButton* closeButton_;
    QStatusBar* statusBar_;
};

}  // namespace playback::ui
