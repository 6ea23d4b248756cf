#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include <QMainWindow>

#include "app/column_layout.h"
#include "app/startup_target.h"
#include "app/ui/feature.h"
#include "app/ui/feature_controls.h"
#include "catalogue/catalogue.h"
#include "common/program_state.h"
#include "common/prompter.h"
#include "lookup/category_source.h"
#include "lookup/disc_in_drive.h"
#include "search/ui/results_model.h"
#include "platform/desktop_launcher.h"
#include "settings/program_settings.h"

class QAbstractButton;
class QGroupBox;
class QPushButton;
class QStatusBar;

namespace common::ui {
class CursorGrid;
}  // namespace common::ui

namespace lookup {
class CdDriveCommands;
}  // namespace lookup

namespace search::ui {
class FilterCommands;
}  // namespace search::ui

namespace app::ui {

class AlbumInfoPanel;
class AlbumsModel;
class EngineFaultOffer;
class MainPopupMenu;
class TooltipSwitch;
class TracksModel;

// The albums browser, the one window that lives for the whole run: the
// albums grid over albums, the current album's tracks, the boxes of
// buttons, the status bar and the popup menu. It routes; the rules live in
// the logic classes it calls.
class MainWindow : public QMainWindow, public StartupTarget {
    Q_OBJECT
public:
    // What the detail view asks for when it closes.
    enum class DetailViewRequest { None, ReportWriter };

    // Made before the catalogue: nothing here touches a table.
    MainWindow(common::ProgramState& state, common::Prompter& prompter, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The catalogue, made after the window; null detaches the grids.
    void setCatalogue(catalogue::Catalogue* catalogue);
    catalogue::Catalogue* catalogue() const { return catalogue_; }
    // Seams for the drive and lookup code, used by the start-up sequence.
    void setDiscInDrive(lookup::DiscInDrive* drive) { drive_ = drive; }
    void setCategorySource(lookup::CategorySource* source) { categories_ = source; }
    // Another part's handler for a feature; its controls are enabled from
    // now on (as far as the window allows). Each run is followed by a
    // refresh of the grids.
    void setFeature(Feature feature, std::function<void()> handler);
    // The detail view, shown modally by `show`; the report writer follows
    // when it asks for it.
    void setDetailView(std::function<DetailViewRequest()> show);
    // The filter entries carried out by `filters`, the focus back in the
    // albums grid after each. `filters` must outlive this window's use of it.
    void useFilters(search::ui::FilterCommands& filters);
    // The drive steps of start-up and "Make CD in drive the current album"
    // carried out by `drive`, which must outlive this window's use of it.
    void useCdDrive(lookup::CdDriveCommands& drive);

    // Where the last run left the window (section Window), else centred on
    // its screen; never smaller than its layout needs. Before the first show.
    void placeOnScreen();

    // Routines other windows call.
    // The column-title rule on the albums grid (see orderByTitle).
    void orderByTitle(int column);
    // Record-number order: the order in which albums were added.
    void naturalOrder();
    // Makes the album current (the order stays), refreshes the grid and
    // closes the active modal window, the caller.
    bool goToAlbum(const std::string& id);
    // Opens "file#anchor": the program directory's file, else the shipped
    // one, else the web site's page, through `desktop` (set before; it must
    // outlive this window). A page the desktop cannot open is reported.
    void setDesktop(platform::DesktopLauncher& desktop) { desktop_ = &desktop; }
    void openPage(std::string_view reference);
    // After writes by other windows: the grids and the enabled buttons.
    void refreshGrids();
    // The tip-of-the-day window, or the error box when the file is missing.
    void showTipWindow();
    void setStatusText(const std::string& text);
    // The shop's lists under "Top 100:", shown while the window is
    // maximized; choosing one calls `open` with its index while the
    // status bar says "Going to website".
    void setStoreLists(const QStringList& captions, std::function<void(int item)> open);
    void focusAlbumsGrid();
    // The current album's tracks, for a window that hides them meanwhile.
    common::ui::CursorGrid& tracksGrid() const { return *tracksGrid_; }
    int maximizedLayouts() const { return layout_.maximizedLayouts(); }
    // An engine error met outside an action: shown once, with the offer to
    // rebuild the indexes.
    void reportEngineFault(const QString& message);

    // StartupTarget
    void showStatus(const std::string& text) override;
    void runLongStep(const std::function<void()>& step) override;
    void setCaption(const std::string& caption) override;
    void setMaximized(bool maximized) override;
    void applyHints(bool show) override;
    void catalogueOpened(bool hasAlbums) override;
    void disableAddCd() override;
    void showTipOfTheDay() override;
    void finishStartup() override;

public slots:
    // Another start of the program wants this window in front.
    void raiseFromOtherStart();

signals:
    // The start-up sequence has ended (also when it failed).
    void startupFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void buildWindow();
    void connectControls();
    void runStartup();
    void runFeature(Feature feature);
    bool hasFeature(Feature feature) const;
    bool allows(Feature feature) const;
    void updateControls();
    bool albumsOpen() const;
    void showCurrentAlbum();
    void goToAlbumRow(int row);
    void goToTrackRow(int row);
    void jumpToKey(int key);
    void goToSearchHit(const search::ui::ResultsModel::Hit& hit);
    void applyLayout();
    void fitAlbumColumns(bool maximized);
    // The normal-state place written at close.
    std::optional<settings::WindowGeometry> placeToKeep() const;
    void act(const std::function<void()>& action);
    // The grids' own work: an engine error goes to the rebuild offer.
    void guarded(const std::function<void()>& step);
    // The grids over the open views, the buttons by whether ALBUMS has a row.
    void showCatalogue();
    bool rebuildIndexes();

    common::ProgramState& state_;
    common::Prompter& prompter_;
    catalogue::Catalogue* catalogue_ = nullptr;
    lookup::DiscInDrive* drive_ = nullptr;
    lookup::CategorySource* categories_ = nullptr;
    platform::DesktopLauncher* desktop_ = nullptr;
    std::map<Feature, std::function<void()>> features_;
    FeatureControls controls_;
    ColumnLayout layout_;
    bool startupQueued_ = false;
    bool hasAlbums_ = false;
    bool addCdDisabled_ = false;
    bool syncing_ = false;
    bool inLongStep_ = false;
    bool startupFailed_ = false;
    EngineFaultOffer* faults_;

    AlbumsModel* albumsModel_;
    TracksModel* tracksModel_;
    common::ui::CursorGrid* albumsGrid_;
    common::ui::CursorGrid* tracksGrid_;
    AlbumInfoPanel* infoPanel_;
    QAbstractButton* naturalOrderButton_;
    QPushButton* tellFriendLink_;
    QPushButton* reportBugLink_;
    QGroupBox* storeLists_ = nullptr;
    QStatusBar* statusBar_;
    MainPopupMenu* popup_;
    TooltipSwitch* tooltips_;
};

}  // namespace app::ui
