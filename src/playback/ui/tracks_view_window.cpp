#include "playback/ui/tracks_view_window.h"

#include <array>
#include <numeric>

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "common/action_guard.h"
#include "common/ansi_text.h"
#include "common/ui/cursor_grid.h"
#include "common/ui/progress_step.h"
#include "playback/tracks_view_builder.h"
#include "playback/ui/tracks_view_model.h"

namespace playback::ui {
namespace {

constexpr std::string_view kHelpPage = "CDhelp2.html#tview";
constexpr std::string_view kFilterHelpPage = "report.html#filter";
// Designed widths of TRACK, ARTIST, ALBUM, GENRE and YR.
constexpr std::array<int, 5> kColumnWidths{250, 160, 160, 80, 44};
constexpr int kClientWidth = 760;
constexpr int kClientHeight = 560;

QPushButton* button(const char* name, const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// Status texts of a step in another thread, shown by this one.
catalogue::StatusReport fromWorker(catalogue::StatusReport show)
{
    if (!show)
        return {};
    return [show = std::move(show)](const std::string& text) {
        QMetaObject::invokeMethod(qApp, [show, text] { show(text); }, Qt::QueuedConnection);
    };
}

}  // namespace

void TracksViewWindow::showModal(catalogue::Catalogue& catalogue, common::Prompter& prompter, Services services,
                                 QWidget* parent)
{
    catalogue.tracksView().close();
    TracksViewBuilder builder(catalogue, fromWorker(services.showStatus));
    bool ready = true;
    const bool built = common::runAction(prompter, [&] {
        if (!builder.needsWork())
            return;
        const QString label = common::fromAnsi(catalogue.fileSystem().exists(catalogue.tracksView().path())
                                                   ? kCreatingViewIndexText
                                                   : kCreatingViewTableText);
        const auto build = [&] {
            common::ui::runWithProgress(parent, label, common::ui::Stopping::Allowed, [&](common::Progress& progress) {
                ready = builder.build(progress) == TracksViewBuilder::Outcome::Ready;
            });
        };
        if (services.whileTablesUnread)
            services.whileTablesUnread(build);
        else
            build();
    });
    // Texts the build queued are shown before the window's own.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (services.showStatus)
        services.showStatus("");
    if (!built || !ready)
        return;
    TracksViewWindow window(catalogue, prompter, std::move(services), parent);
    if (common::runAction(prompter, [&] { window.view_.open(); })) {
        window.showCurrentRow(true);
        window.exec();
    }
}

TracksViewWindow::TracksViewWindow(catalogue::Catalogue& catalogue, common::Prompter& prompter, Services services,
                                   QWidget* parent)
    : QDialog(parent),
      prompter_(prompter),
      services_(std::move(services)),
      view_(catalogue, prompter, [this](const std::string& text) {
          statusBar_->showMessage(common::fromAnsi(text));
          statusBar_->repaint();
      })
{
    buildWindow();
    connectControls();
}

TracksViewWindow::~TracksViewWindow()
{
    model_->setView(nullptr);
    view_.close();
}

void TracksViewWindow::buildWindow()
{
    setObjectName("TracksViewWindow");
    setWindowTitle(" Vinora - Track View");
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);

    model_ = new TracksViewModel(this);
    grid_ = new common::ui::CursorGrid("tracksViewGrid", this);
    grid_->setModel(model_);
    for (int c = 0; c < static_cast<int>(kColumnWidths.size()); ++c)
        grid_->setColumnWidth(c, kColumnWidths[static_cast<std::size_t>(c)]);

    auto* djText = new QLabel(
        "Are you a professional DJ? Click on Create Music File below for a DJ-Intelligence upload file", this);
    djText->setObjectName("djPanelText");
    djText->setWordWrap(true);

    auto* filterGroup = new QGroupBox(" Filter option (record selection) ", this);
    filterGroup->setObjectName("filterGroup");
    auto* example =
        new QLabel("Example: to select only jazz, enter the filter expression:    genre=\"jazz\"", filterGroup);
    filterEdit_ = new QLineEdit(filterGroup);
    filterEdit_->setObjectName("filterEdit");
    setFilterButton_ = button("setFilterButton", "Set Filter", filterGroup);
    cancelFilterButton_ = button("cancelFilterButton", "Cancel ", filterGroup);
    cancelFilterButton_->setToolTip("Cancel Filtering");
    cancelFilterButton_->setEnabled(false);
    examplesButton_ = button("moreExamplesButton", "More examples ...", filterGroup);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterEdit_, 1);
    filterRow->addWidget(setFilterButton_);
    filterRow->addWidget(cancelFilterButton_);
    filterRow->addWidget(examplesButton_);
    auto* filterLayout = new QVBoxLayout(filterGroup);
    filterLayout->addWidget(example);
    filterLayout->addLayout(filterRow);

    switchButton_ = button("switchToAlbumButton", "Switch to Albums View of this Album", this);
    djButton_ = button("djExportButton", "Create Music File for upload", this);
    helpButton_ = button("helpButton", "Help", this);
    closeButton_ = button("closeButton", "Close", this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {switchButton_, djButton_, helpButton_, closeButton_})
        buttons->addWidget(b);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName("tracksViewStatus");
    statusBar_->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(3);
    layout->addWidget(grid_, 1);
    layout->addWidget(djText);
    layout->addWidget(filterGroup);
    layout->addLayout(buttons);
    layout->addWidget(statusBar_);
    resize(kClientWidth, kClientHeight);
}

void TracksViewWindow::connectControls()
{
    connect(model_, &common::ui::CursorModel::readFailed, this,
            [this](const QString& message) { prompter_.error(common::toAnsi(message)); });
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, &TracksViewWindow::orderByTitle);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { goToRow(current.row()); });
    connect(grid_, &common::ui::CursorGrid::printableKey, this, &TracksViewWindow::jumpToKey);
    connect(grid_, &common::ui::CursorGrid::resized, this, &TracksViewWindow::fitColumns);
    connect(filterEdit_, &QLineEdit::returnPressed, this, &TracksViewWindow::setFilter);
    connect(setFilterButton_, &QPushButton::clicked, this, &TracksViewWindow::setFilter);
    connect(cancelFilterButton_, &QPushButton::clicked, this, &TracksViewWindow::cancelFilter);
    connect(examplesButton_, &QPushButton::clicked, this, [this] { services_.openPage(kFilterHelpPage); });
    connect(switchButton_, &QPushButton::clicked, this, &TracksViewWindow::switchToAlbum);
    connect(djButton_, &QPushButton::clicked, this, &TracksViewWindow::writeDjFile);
    connect(helpButton_, &QPushButton::clicked, this, [this] { services_.openPage(kHelpPage); });
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void TracksViewWindow::act(const std::function<void()>& action) { common::runAction(prompter_, action); }

void TracksViewWindow::showCurrentRow(bool rowsChanged)
{
    syncing_ = true;
    if (rowsChanged) {
        model_->setView(&view_.view());
        model_->refresh();
    }
    act([this] {
        const xbase::Cursor& rows = view_.view().cursor();
        grid_->showRow(rows.eof() ? -1 : static_cast<int>(view_.view()->row()));
    });
    syncing_ = false;
    grid_->setFocus();
}

void TracksViewWindow::goToRow(int row)
{
    if (syncing_ || row < 0)
        return;
    act([&] { view_.view()->goToRow(static_cast<std::uint32_t>(row)); });
}

void TracksViewWindow::orderByTitle(int column)
{
    bool ordered = false;
    act([&] { ordered = view_.orderByTitle(model_->fieldOf(column)) == TracksView::TitleClick::Ordered; });
    showCurrentRow(ordered);
}

void TracksViewWindow::jumpToKey(int key)
{
    bool moved = false;
    act([&] { moved = view_.jumpToKey(key); });
    if (moved)
        showCurrentRow(false);
}

void TracksViewWindow::setFilter()
{
    bool applied = false;
    act([&] { applied = view_.setFilter(common::toAnsi(filterEdit_->text())); });
    if (applied)
        cancelFilterButton_->setEnabled(true);
    showCurrentRow(applied);
}

void TracksViewWindow::cancelFilter()
{
    act([this] { view_.cancelFilter(); });
    cancelFilterButton_->setEnabled(false);
    showCurrentRow(true);
}

void TracksViewWindow::switchToAlbum()
{
    std::string id;
    act([&] { id = view_.currentAlbumId(); });
    if (!id.empty())
        services_.goToAlbum(id);
}

void TracksViewWindow::writeDjFile()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    act([this] { view_.writeDjFile(); });
    QApplication::restoreOverrideCursor();
    showCurrentRow(true);
}

// Maximized, the artist column takes what the others leave of the grid. A
// normal window shares its width out among all columns.
void TracksViewWindow::fitColumns()
{
    const std::vector<int> design(kColumnWidths.begin(), kColumnWidths.end());
    std::vector<int> widths = common::ui::sharedWidths(design, grid_->titleWidths(), grid_->viewport()->width());
    if (isMaximized()) {
        widths = design;
        const int others = std::accumulate(design.begin(), design.end(), 0) - design[TracksViewModel::kArtistColumn];
        widths[TracksViewModel::kArtistColumn] =
            std::max(design[TracksViewModel::kArtistColumn], grid_->viewport()->width() - others);
    }
    for (std::size_t c = 0; c < widths.size(); ++c)
        grid_->setColumnWidth(static_cast<int>(c), widths[c]);
}

void TracksViewWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape cancels a filter; without one it closes the window.
    if (event->key() == Qt::Key_Escape && cancelFilterButton_->isEnabled()) {
        cancelFilter();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace playback::ui
