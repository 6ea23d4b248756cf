#include "app/ui/main_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui/album_info_panel.h"
#include "app/ui/albums_model.h"
#include "app/ui/engine_fault_offer.h"
#include "app/ui/feature_button_box.h"
#include "app/ui/main_popup_menu.h"
#include "app/ui/order_header_view.h"
#include "app/ui/tooltip_switch.h"
#include "app/ui/tracks_model.h"
#include "common/action_guard.h"
#include "common/ansi_text.h"
#include "common/product_version.h"
#include "common/ui/cursor_grid.h"
#include "common/ui/named_colours.h"
#include "lookup/cd_drive_commands.h"
#include "search/ui/filter_commands.h"
#include "search/ui/quick_search_box.h"
#include "settings/settings_file.h"

namespace app::ui {
namespace {

constexpr int kFontPixels = 13;
constexpr int kShortcutFontPixels = 11;
constexpr int kClientWidth = 740;
constexpr int kClientHeight = 500;
constexpr int kRightColumnWidth = 230;
constexpr int kTracksGridHeight = 170;
constexpr int kNumberColumnWidth = 40;
constexpr std::string_view kHelpPage = "CDhelp1.html";
const QString kFoundInNotesText = "Found in the notes: ";

QPushButton* shortcutLabel(const char* name, const QString& text, const char* colours, QWidget* parent)
{
    auto* label = new QPushButton(text, parent);
    label->setObjectName(name);
    label->setStyleSheet(QString("QPushButton { color: white; background: %1; border: none; padding: 4px; "
                                 "font-size: %2px; } QPushButton:disabled { color: #d8d8d8; }")
                             .arg(colours)
                             .arg(kShortcutFontPixels));
    label->hide();
    return label;
}

}  // namespace

MainWindow::MainWindow(common::ProgramState& state, common::Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), state_(state), prompter_(prompter)
{
    faults_ = new EngineFaultOffer(
        prompter_, [this] { return rebuildIndexes(); },
        [this] { return !inLongStep_ && !QApplication::activeModalWidget(); }, this);
    buildWindow();
    connectControls();
    setFeature(Feature::NaturalOrder, [this] { naturalOrder(); });
    setFeature(Feature::TipOfTheDay, [this] { showTipWindow(); });
    setFeature(Feature::Help, [this] { openPage(kHelpPage); });
    setFeature(Feature::Exit, [this] { close(); });
    setStatusText("Setting Albums grid column widths");
    for (int c = 0; c < static_cast<int>(ColumnLayout::kDesignWidths.size()); ++c)
        albumsGrid_->setColumnWidth(c, ColumnLayout::kDesignWidths[static_cast<std::size_t>(c)]);
    updateControls();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildWindow()
{
    setObjectName("MainWindow");
    setWindowTitle(QString::fromLatin1(common::kAppTitle.data(), static_cast<qsizetype>(common::kAppTitle.size())));
    QFont bold = font();
    bold.setPixelSize(kFontPixels);
    bold.setBold(true);
    setFont(bold);

    albumsModel_ = new AlbumsModel(this);
    tracksModel_ = new TracksModel(this);
    auto* central = new QWidget(this);
    central->setObjectName("ClientArea");

    albumsGrid_ = new common::ui::CursorGrid("AlbumsGrid", central);
    albumsGrid_->setHorizontalHeader(new OrderHeaderView(albumsGrid_));
    albumsGrid_->setModel(albumsModel_);
    infoPanel_ = new AlbumInfoPanel(central);
    tracksGrid_ = new common::ui::CursorGrid("TracksGrid", central);
    tracksGrid_->setModel(tracksModel_);
    tracksGrid_->setColumnWidth(0, kNumberColumnWidth);
    tracksGrid_->horizontalHeader()->setStretchLastSection(true);
    tracksGrid_->setFixedHeight(kTracksGridHeight);

    auto* right = new QWidget(central);
    right->setObjectName("RightColumn");
    right->setFixedWidth(kRightColumnWidth);
    tellFriendLink_ = shortcutLabel("TellFriendLink", "Tell a friend about\nVinora", "maroon", right);
    reportBugLink_ = shortcutLabel("ReportBugLink", "Submit a suggestion or report a bug", "olive", right);
    auto* tools = new FeatureButtonBox(FeatureBox::Toolbox, right);
    auto* manage = new FeatureButtonBox(FeatureBox::ManageCollection, right);
    auto* quickSearch = new search::ui::QuickSearchBox(
        prompter_, [this] { return catalogue_; },
        [this](const search::ui::ResultsModel::Hit& hit) { goToSearchHit(hit); }, right);
    connect(quickSearch, &search::ui::QuickSearchBox::searched, this, [this] {
        refreshGrids();
        focusAlbumsGrid();
    });

    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(tellFriendLink_);
    rightLayout->addWidget(reportBugLink_);
    rightLayout->addStretch(1);
    rightLayout->addWidget(tools);
    rightLayout->addWidget(manage);
    rightLayout->addWidget(quickSearch);

    auto* left = new QVBoxLayout;
    left->addWidget(albumsGrid_, 1);
    left->addWidget(infoPanel_);
    left->addWidget(tracksGrid_);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(4, 4, 4, 0);
    columns->addLayout(left, 1);
    columns->addWidget(right);
    setCentralWidget(central);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName("StatusBar");
    statusBar_->setSizeGripEnabled(false);
    setStatusBar(statusBar_);
    popup_ = new MainPopupMenu(this);
    tooltips_ = new TooltipSwitch(this);
    resize(kClientWidth, kClientHeight + statusBar_->sizeHint().height());

    auto addButton = [this](Feature feature, QAbstractButton* button) {
        controls_.add(feature, button);
        connect(button, &QAbstractButton::clicked, this, [this, feature] { runFeature(feature); });
    };
    for (const FeatureButtonBox* box : {manage, tools})
        for (const auto& [feature, button] : box->buttons())
            addButton(feature, button);
    addButton(Feature::Play, infoPanel_->playButton());
    addButton(Feature::TellFriend, tellFriendLink_);
    addButton(Feature::ReportBug, reportBugLink_);
    for (const auto& [feature, action] : popup_->entries()) {
        controls_.add(feature, action);
        connect(action, &QAction::triggered, this, [this, feature = feature] { runFeature(feature); });
    }
    naturalOrderButton_ = tools->button(Feature::NaturalOrder);
}

void MainWindow::connectControls()
{
    for (common::ui::CursorModel* model :
         {static_cast<common::ui::CursorModel*>(albumsModel_), static_cast<common::ui::CursorModel*>(tracksModel_)})
        connect(model, &common::ui::CursorModel::readFailed, this, &MainWindow::reportEngineFault);
    connect(albumsGrid_->horizontalHeader(), &QHeaderView::sectionClicked, this, &MainWindow::orderByTitle);
    connect(albumsGrid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { goToAlbumRow(current.row()); });
    connect(albumsGrid_, &common::ui::CursorGrid::printableKey, this, &MainWindow::jumpToKey);
    connect(albumsGrid_, &common::ui::CursorGrid::resized, this, &MainWindow::applyLayout);
    connect(albumsGrid_, &QAbstractItemView::doubleClicked, this, [this] { runFeature(Feature::DetailView); });
    connect(tracksGrid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { goToTrackRow(current.row()); });
    connect(tracksGrid_, &QAbstractItemView::doubleClicked, this, [this] { runFeature(Feature::PlayFromTrack); });
    // Whether a filter is on is asked each time the menu opens.
    connect(popup_, &QMenu::aboutToShow, this, &MainWindow::updateControls);
}

void MainWindow::setCatalogue(catalogue::Catalogue* catalogue)
{
    catalogue_ = catalogue;
    if (!catalogue_) {
        albumsModel_->setView(nullptr);
        tracksModel_->setView(nullptr);
        tracksModel_->setPlaylist(nullptr);
    }
}

void MainWindow::setFeature(Feature feature, std::function<void()> handler)
{
    features_[feature] = std::move(handler);
    updateControls();
}

void MainWindow::setStoreLists(const QStringList& captions, std::function<void(int item)> open)
{
    QWidget* right = reportBugLink_->parentWidget();
    storeLists_ = new QGroupBox("Top 100:", right);
    storeLists_->setObjectName("StoreLists");
    storeLists_->setStyleSheet("QGroupBox { color: white; background: navy; } QRadioButton { color: white; }");
    auto* items = new QGridLayout(storeLists_);
    auto* choices = new QButtonGroup(storeLists_);
    for (int i = 0; i < captions.size(); ++i) {
        auto* item = new QRadioButton(captions[i], storeLists_);
        items->addWidget(item, i / 2, i % 2);
        choices->addButton(item, i);
    }
    connect(choices, &QButtonGroup::idClicked, this, [this, open = std::move(open)](int item) {
        const QString before = statusBar_->currentMessage();
        setStatusText("Going to website");
        act([&] { open(item); });
        statusBar_->showMessage(before);
    });
    auto* column = static_cast<QVBoxLayout*>(right->layout());
    column->insertWidget(column->indexOf(reportBugLink_) + 1, storeLists_);
    storeLists_->setVisible(isMaximized());
}

void MainWindow::setDetailView(std::function<DetailViewRequest()> show)
{
    setFeature(Feature::DetailView, [this, show = std::move(show)] {
        if (show() == DetailViewRequest::ReportWriter && hasFeature(Feature::ReportWriter))
            features_[Feature::ReportWriter]();
    });
}

void MainWindow::useFilters(search::ui::FilterCommands& filters)
{
    setFeature(Feature::SetFilter, [this, &filters] {
        filters.setFilter();
        focusAlbumsGrid();
    });
    setFeature(Feature::CancelFilter, [this, &filters] {
        filters.cancelFilter();
        focusAlbumsGrid();
    });
}

void MainWindow::useCdDrive(lookup::CdDriveCommands& drive)
{
    setDiscInDrive(&drive.discInDrive());
    // The grids are repainted after every feature: a found album shows at
    // once.
    setFeature(Feature::FindCd, [&drive] { drive.findCd(); });
}

bool MainWindow::hasFeature(Feature feature) const
{
    const auto found = features_.find(feature);
    return found != features_.end() && found->second;
}

bool MainWindow::allows(Feature feature) const
{
    switch (feature) {
    case Feature::Modify:
    case Feature::Delete:
    case Feature::Playlist:
        return hasAlbums_;
    case Feature::AddCd:
        return !addCdDisabled_;
    case Feature::CancelFilter:
        return albumsOpen() && catalogue_->albums()->filtered();
    case Feature::TellFriend:
    case Feature::ReportBug:
        return isMaximized();
    default:
        return true;
    }
}

void MainWindow::updateControls()
{
    controls_.update([this](Feature f) { return hasFeature(f); }, [this](Feature f) { return allows(f); });
    // The menu entry stays enabled: only the button says natural order is on.
    const bool ordered = albumsOpen() && !catalogue_->albums()->order().empty();
    naturalOrderButton_->setEnabled(ordered);
    if (!ordered)
        naturalOrderButton_->setToolTip(
            FeatureControls::withReason(naturalOrderButton_->toolTip(), kInNaturalOrderReason));
}

bool MainWindow::albumsOpen() const { return catalogue_ && catalogue_->albums().isOpen(); }

void MainWindow::act(const std::function<void()>& action) { common::runAction(prompter_, action); }

void MainWindow::guarded(const std::function<void()>& step)
{
    try {
        step();
    } catch (const std::exception& e) {
        reportEngineFault(common::fromMessage(e.what()));
    }
}

void MainWindow::reportEngineFault(const QString& message) { faults_->report(message); }

void MainWindow::runFeature(Feature feature)
{
    if (!hasFeature(feature))
        return;
    // A copy: the handler may register features itself.
    const std::function<void()> handler = features_[feature];
    act(handler);
    refreshGrids();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The start-up sequence runs once, when the window is first shown, from
    // the event loop. Not on activation: without a window manager, or where
    // focus stealing is prevented, the window may never become active.
    if (catalogue_ && !state_.started && !startupQueued_) {
        startupQueued_ = true;
        QTimer::singleShot(0, this, &MainWindow::runStartup);
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (state_.started) {
        setStatusText("Closing Vinora ...");
        act([this] {
            settings::SettingsFile file({state_.programDir, [] { return std::string(); }});
            file.writeAtClose(state_.genres, state_.genresAtStart, isMaximized(), layout_.maximizedLayouts(),
                              placeToKeep());
        });
        // After a failed start or an engine error left unrepaired the next
        // start must not trust the indexes: it checks them in full then.
        if (catalogue_ && !startupFailed_ && !faults_->unrepaired())
            act([this] { catalogue_->closeCleanly(); });
    }
    event->accept();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) { popup_->exec(event->globalPos()); }

// The hit's album current, then its track in the tracks grid; a notes hit
// tells in the status bar where its text was found.
void MainWindow::goToSearchHit(const search::ui::ResultsModel::Hit& hit)
{
    if (!goToAlbum(hit.albumId))
        return;
    if (!hit.track.empty() && catalogue_->currentAlbumTracks().isOpen()) {
        guarded([&] {
            xbase::Cursor& tracks = catalogue_->currentAlbumTracks().cursor();
            bool found = tracks.first();
            while (found && tracks.fieldTrimmed("NR") != hit.track)
                found = tracks.next();
            if (!found)
                tracks.first();
        });
        showCurrentAlbum();
    }
    if (!hit.notesLine.isEmpty())
        statusBar_->showMessage(kFoundInNotesText + hit.notesLine);
}

void MainWindow::raiseFromOtherStart()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

}  // namespace app::ui
