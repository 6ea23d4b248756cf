// MainWindow: the routines other windows call, the grids' cursor moves and the
// start-up sequence's requests.
#include <filesystem>

#include <QApplication>
#include <QScopeGuard>
#include <QStatusBar>
#include <QThread>

#include "app/page_locator.h"
#include "app/startup_sequence.h"
#include "app/tips_file.h"
#include "app/ui/album_info_panel.h"
#include "app/ui/albums_model.h"
#include "app/ui/main_window.h"
#include "app/ui/tooltip_switch.h"
#include "app/ui/tracks_model.h"
#include "catalogue/cursor_browsing.h"
#include "catalogue/program_files.h"
#include "common/action_guard.h"
#include "common/ansi_text.h"
#include "common/ui/cursor_grid.h"
#include "common/ui/long_step.h"
#include "maintenance/reindex.h"

namespace app::ui {
namespace {

constexpr std::string_view kTipsMissingText = "Can't find Tip of the Day File ";

QString trimmedField(const xbase::Cursor& cursor, std::string_view field)
{
    return common::fromAnsi(cursor.fieldTrimmed(field));
}

}  // namespace

void MainWindow::orderByTitle(int column)
{
    if (!albumsOpen() || column < 0 || column >= albumsModel_->columnCount())
        return;
    guarded([&] {
        if (catalogue::orderByTitle(catalogue_->albums().cursor(), albumsModel_->fieldOf(column)) ==
            catalogue::TitleClick::Ordered)
            albumsModel_->refresh();
    });
    showCurrentAlbum();
}

void MainWindow::naturalOrder()
{
    if (!albumsOpen())
        return;
    guarded([&] { catalogue_->albums()->setOrder(""); });
    albumsModel_->refresh();
    showCurrentAlbum();
}

bool MainWindow::goToAlbum(const std::string& id)
{
    bool found = false;
    if (albumsOpen())
        guarded([&] { found = catalogue::goToAlbumById(catalogue_->albums(), id); });
    albumsModel_->refresh();
    showCurrentAlbum();
    if (QWidget* caller = QApplication::activeModalWidget())
        caller->close();
    return found;
}

void MainWindow::openPage(std::string_view reference)
{
    const QString address = pageAddress(reference, state_.programDir, state_.dataDir).toString();
    if (desktop_ && desktop_->openAddress(address))
        return;
    prompter_.error("Could not open the page \"" + std::string(reference) + "\":\rtried " + common::toAnsi(address) +
                    "\rbut the desktop has no application that opens it.");
}

void MainWindow::refreshGrids()
{
    albumsModel_->refresh();
    if (albumsOpen())
        guarded([this] { hasAlbums_ = catalogue_->albums()->count() > 0; });
    showCurrentAlbum();
}

void MainWindow::showTipWindow()
{
    const std::string path = catalogue::joinPath(state_.programDir, TipsFile::kFileName);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        prompter_.error(std::string(kTipsMissingText) + path);
        return;
    }
    showTipOfTheDay();
}

void MainWindow::setStatusText(const std::string& text)
{
    if (text.empty())
        statusBar_->clearMessage();
    else
        statusBar_->showMessage(common::fromAnsi(text));
    // Steps that follow may keep the event loop busy.
    if (statusBar_->isVisible())
        statusBar_->repaint();
}

void MainWindow::focusAlbumsGrid() { albumsGrid_->setFocus(); }

// The albums grid follows the cursor (moved by an order, a jump, a search),
// then the tracks, the info panel and the buttons follow the album.
void MainWindow::showCurrentAlbum()
{
    const bool open = albumsOpen();
    syncing_ = true;
    guarded([&] {
        albumsGrid_->showRow(open && !catalogue_->albums()->eof() ? static_cast<int>(catalogue_->albums()->row()) : -1);
        tracksModel_->refresh();
        const bool tracksOpen = catalogue_ && catalogue_->currentAlbumTracks().isOpen();
        tracksGrid_->showRow(tracksOpen && !catalogue_->currentAlbumTracks()->eof()
                             ? static_cast<int>(catalogue_->currentAlbumTracks()->row())
                             : -1);
    });
    syncing_ = false;
    infoPanel_->showAlbum({}, {}, {});
    guarded([&] {
        if (open && !catalogue_->albums()->eof()) {
            const xbase::Cursor& album = catalogue_->albums().cursor();
            infoPanel_->showAlbum(trimmedField(album, "YR"), trimmedField(album, "MEDIA"),
                                  trimmedField(album, "IX"));
        }
    });
    updateControls();
}

void MainWindow::goToAlbumRow(int row)
{
    if (syncing_ || row < 0 || !albumsOpen())
        return;
    guarded([&] { catalogue_->albums()->goToRow(static_cast<std::uint32_t>(row)); });
    showCurrentAlbum();
}

void MainWindow::goToTrackRow(int row)
{
    if (syncing_ || row < 0 || !catalogue_ || !catalogue_->currentAlbumTracks().isOpen())
        return;
    guarded([&] { catalogue_->currentAlbumTracks()->goToRow(static_cast<std::uint32_t>(row)); });
}

void MainWindow::jumpToKey(int key)
{
    if (!albumsOpen())
        return;
    bool moved = false;
    guarded([&] { moved = catalogue::keyboardJump(catalogue_->albums().cursor(), key); });
    if (moved)
        showCurrentAlbum();
}

void MainWindow::runStartup()
{
    StartupSequence sequence(state_, *catalogue_, *this, prompter_);
    sequence.setDiscInDrive(drive_);
    sequence.setCategorySource(categories_);
    startupFailed_ = false;
    QString failure;
    try {
        sequence.run();
    } catch (const std::exception& e) {
        startupFailed_ = true;
        failure = common::fromMessage(e.what());
    }
    if (startupFailed_) {
        // The engine's error ends the sequence; the grids show what opened,
        // and a damaged index can be rebuilt from here.
        showCatalogue();
        reportEngineFault(failure);
    }
    emit startupFinished();
}

void MainWindow::showCatalogue()
{
    bool hasAlbums = false;
    guarded([&] { hasAlbums = albumsOpen() && catalogue_->albums()->count() > 0; });
    catalogueOpened(hasAlbums);
}

bool MainWindow::rebuildIndexes()
{
    if (!catalogue_)
        return false;
    std::vector<std::string> notices;
    const bool rebuilt = common::runAction(prompter_, [&] {
        runLongStep([&] { maintenance::reindexCatalogue(*catalogue_, nullptr, &notices); });
    });
    for (const std::string& notice : notices)
        prompter_.info(notice);
    if (rebuilt && startupFailed_) {
        // The start-up that stopped at the damage runs again, in full.
        state_.started = false;
        runStartup();
        return !startupFailed_;
    }
    showCatalogue();
    albumsGrid_->setFocus();
    return rebuilt;
}

void MainWindow::showStatus(const std::string& text)
{
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(this, [this, text] { setStatusText(text); }, Qt::QueuedConnection);
        return;
    }
    setStatusText(text);
}

void MainWindow::runLongStep(const std::function<void()>& step)
{
    // The grids must not read the tables while the step works on them.
    albumsModel_->setView(nullptr);
    tracksModel_->setView(nullptr);
    tracksModel_->setPlaylist(nullptr);
    inLongStep_ = true;
    const auto stepEnded = qScopeGuard([this] { inLongStep_ = false; });
    common::ui::runKeepingWindowsPainted(step);
}

void MainWindow::setCaption(const std::string& caption) { setWindowTitle(common::fromAnsi(caption)); }

void MainWindow::setMaximized(bool maximized)
{
    setWindowState(maximized ? windowState() | Qt::WindowMaximized : windowState() & ~Qt::WindowMaximized);
}

void MainWindow::applyHints(bool show) { tooltips_->setShown(show); }

void MainWindow::catalogueOpened(bool hasAlbums)
{
    hasAlbums_ = hasAlbums;
    if (catalogue_) {
        albumsModel_->setView(&catalogue_->albums());
        tracksModel_->setView(&catalogue_->currentAlbumTracks());
        tracksModel_->setPlaylist(&catalogue_->playlist());
    }
    showCurrentAlbum();
}

void MainWindow::disableAddCd()
{
    addCdDisabled_ = true;
    updateControls();
}

void MainWindow::showTipOfTheDay()
{
    act([this] { prompter_.showWindow(common::Prompter::Window::TipOfTheDay); });
}

void MainWindow::finishStartup()
{
    albumsModel_->refresh();
    showCurrentAlbum();
    albumsGrid_->setFocus();
}

}  // namespace app::ui
