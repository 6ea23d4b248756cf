#include "app/ui/main_window.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui/album_info_panel.h"
#include "app/ui/albums_model.h"
#include "app/ui/engine_fault_offer.h"
#include "app/ui/main_popup_menu.h"
#include "app/ui/manage_collection_box.h"
#include "app/ui/order_header_view.h"
#include "app/ui/tool_box.h"
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

TForm1::TForm1(common::ProgramState& state, common::Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), state_(state), prompter_(prompter)
{
    faults_ = new EngineFaultOffer(
        prompter_, [this] { return rebuildIndexes(); },
        [this] { return !inLongStep_ && !QApplication::activeModalWidget(); }, this);
    buildWindow();
    connectControls();
    setStatusText("Setting Albums grid column widths");
    for (int c = 0; c < static_cast<int>(ColumnLayout::kDesignWidths.size()); ++c)
        albumsGrid_->setColumnWidth(c, ColumnLayout::kDesignWidths[static_cast<std::size_t>(c)]);
    updateControls();
}

TForm1::~TForm1() = default;

void TForm1::buildWindow()
{
    setObjectName("Form1");
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
    cdGrid_ = new common::ui::CursorGrid("CDGrid", central);
    cdGrid_->setModel(tracksModel_);
    cdGrid_->setColumnWidth(0, kNumberColumnWidth);
    cdGrid_->horizontalHeader()->setStretchLastSection(true);
    cdGrid_->setFixedHeight(kTracksGridHeight);

    auto* right = new QWidget(central);
    right->setObjectName("RightColumn");
    right->setFixedWidth(kRightColumnWidth);
    referLabel_ = shortcutLabel("ReferLabel", "Tell a friend about\nVinora", "maroon", right);
    bugLabel_ = shortcutLabel("BugLabel", "Submit a suggestion or report a bug", "olive", right);
    auto* tools = new ToolBox(right);
    auto* manage = new ManageCollectionBox(right);
    auto* quickSearch = new search::ui::QuickSearchBox(
        prompter_, [this] { return catalogue_; }, [this](const std::string& id) { goToAlbum(id); }, right);
    connect(quickSearch, &search::ui::QuickSearchBox::searched, this, [this] {
        refreshGrids();
        focusAlbumsGrid();
    });

    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(referLabel_);
    rightLayout->addWidget(bugLabel_);
    rightLayout->addStretch(1);
    rightLayout->addWidget(tools);
    rightLayout->addWidget(manage);
    rightLayout->addWidget(quickSearch);

    auto* left = new QVBoxLayout;
    left->addWidget(albumsGrid_, 1);
    left->addWidget(infoPanel_);
    left->addWidget(cdGrid_);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(4, 4, 4, 0);
    columns->addLayout(left, 1);
    columns->addWidget(right);
    setCentralWidget(central);

    myBar_ = new QStatusBar(this);
    myBar_->setObjectName("MyBar");
    myBar_->setSizeGripEnabled(false);
    setStatusBar(myBar_);
    popup_ = new MainPopupMenu(this);
    tooltips_ = new TooltipSwitch(this);
    resize(kClientWidth, kClientHeight + myBar_->sizeHint().height());

    auto addButton = [this](Feature feature, QAbstractButton* button) {
        controls_.add(feature, button);
        connect(button, &QAbstractButton::clicked, this, [this, feature] { runFeature(feature); });
    };
    for (const auto& [feature, button] : manage->buttons())
        addButton(feature, button);
    for (const auto& [feature, button] : tools->featureButtons())
        addButton(feature, button);
    addButton(Feature::Play, infoPanel_->playButton());
    addButton(Feature::TellFriend, referLabel_);
    addButton(Feature::ReportBug, bugLabel_);
    for (const auto& [feature, action] : popup_->featureActions()) {
        controls_.add(feature, action);
        connect(action, &QAction::triggered, this, [this, feature = feature] { runFeature(feature); });
    }
    naturalButton_ = tools->button("NaturalButton");
}

void TForm1::connectControls()
{
    for (common::ui::CursorModel* model :
         {static_cast<common::ui::CursorModel*>(albumsModel_), static_cast<common::ui::CursorModel*>(tracksModel_)})
        connect(model, &common::ui::CursorModel::readFailed, this, &TForm1::reportEngineFault);
    connect(albumsGrid_->horizontalHeader(), &QHeaderView::sectionClicked, this, &TForm1::orderByTitle);
    connect(albumsGrid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { albumChosen(current.row()); });
    connect(albumsGrid_, &common::ui::CursorGrid::printableKey, this, &TForm1::keyTyped);
    connect(albumsGrid_, &common::ui::CursorGrid::resized, this, &TForm1::applyLayout);
    connect(albumsGrid_, &QAbstractItemView::doubleClicked, this, [this] { detailViewDispatch(); });
    connect(cdGrid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { trackChosen(current.row()); });
    connect(cdGrid_, &QAbstractItemView::doubleClicked, this, [this] { runFeature(Feature::PlayFromTrack); });

    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        const QString name = button->objectName();
        if (name == "NaturalButton")
            connect(button, &QAbstractButton::clicked, this, &TForm1::naturalOrder);
        else if (name == "SpeedButton1")
            connect(button, &QAbstractButton::clicked, this, &TForm1::showTipWindow);
        else if (name == "HelpSpeed")
            connect(button, &QAbstractButton::clicked, this, [this] { openPage(kHelpPage); });
    }
    connect(popup_->entry("NaturalOrderItem"), &QAction::triggered, this, &TForm1::naturalOrder);
    connect(popup_->entry("TipItem"), &QAction::triggered, this, &TForm1::showTipWindow);
    connect(popup_->entry("HelpItem"), &QAction::triggered, this, [this] { openPage(kHelpPage); });
    connect(popup_->entry("ExitItem"), &QAction::triggered, this, &QWidget::close);
    // Whether a filter is on is asked each time the menu opens.
    connect(popup_, &QMenu::aboutToShow, this, &TForm1::updateControls);
}

void TForm1::setCatalogue(catalogue::Catalogue* catalogue)
{
    catalogue_ = catalogue;
    if (!catalogue_) {
        albumsModel_->setView(nullptr);
        tracksModel_->setView(nullptr);
        tracksModel_->setPlaylist(nullptr);
    }
}

void TForm1::setFeature(Feature feature, std::function<void()> handler)
{
    features_[feature] = std::move(handler);
    updateControls();
}

void TForm1::useFilters(search::ui::FilterCommands& filters)
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

void TForm1::useCdDrive(lookup::CdDriveCommands& drive)
{
    setDiscInDrive(&drive.discInDrive());
    // The grids are repainted after every feature: a found album shows at
    // once.
    setFeature(Feature::FindCd, [&drive] { drive.findCd(); });
}

bool TForm1::hasFeature(Feature feature) const
{
    const auto found = features_.find(feature);
    return found != features_.end() && found->second;
}

bool TForm1::allows(Feature feature) const
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

void TForm1::updateControls()
{
    controls_.update([this](Feature f) { return hasFeature(f); }, [this](Feature f) { return allows(f); });
    naturalButton_->setEnabled(albumsOpen() && !catalogue_->albums()->order().empty());
}

bool TForm1::albumsOpen() const { return catalogue_ && catalogue_->albums().isOpen(); }

void TForm1::act(const std::function<void()>& action) { common::runAction(prompter_, action); }

void TForm1::guarded(const std::function<void()>& step)
{
    try {
        step();
    } catch (const std::exception& e) {
        reportEngineFault(common::fromMessage(e.what()));
    }
}

void TForm1::reportEngineFault(const QString& message) { faults_->report(message); }

void TForm1::runFeature(Feature feature)
{
    if (!hasFeature(feature))
        return;
    if (feature == Feature::DetailView) {
        detailViewDispatch();
        return;
    }
    // A copy: the handler may register features itself.
    const std::function<void()> handler = features_[feature];
    act(handler);
    refreshGrids();
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The start-up sequence runs once, when the window is first shown, from
    // the event loop. Not on activation: without a window manager, or where
    // focus stealing is prevented, the window may never become active.
    if (catalogue_ && !state_.started && !startupQueued_) {
        startupQueued_ = true;
        QTimer::singleShot(0, this, &TForm1::runStartup);
    }
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (state_.started) {
        setStatusText("Closing Vinora ...");
        act([this] {
            settings::SettingsFile file({state_.programDir, [] { return std::string(); }});
            file.writeAtClose(state_.genres, state_.genresAtStart, isMaximized(), layout_.maximizedLayouts());
        });
        // After a failed start or an engine error left unrepaired the next
        // start must not trust the indexes: it checks them in full then.
        if (catalogue_ && !startupFailed_ && !faults_->unrepaired())
            act([this] { catalogue_->closeCleanly(); });
    }
    event->accept();
}

void TForm1::contextMenuEvent(QContextMenuEvent* event) { popup_->exec(event->globalPos()); }

void TForm1::applyLayout()
{
    const bool maximized = isMaximized();
    const int width = layout_.apply(maximized, albumsGrid_->viewport()->width());
    albumsGrid_->setColumnWidth(0, width);
    albumsGrid_->setColumnWidth(1, width);
    if (referLabel_->isVisibleTo(this) != maximized) {
        referLabel_->setVisible(maximized);
        bugLabel_->setVisible(maximized);
        updateControls();
    }
    albumsGrid_->setFocus();
}

void TForm1::raiseFromOtherStart()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

}  // namespace app::ui
