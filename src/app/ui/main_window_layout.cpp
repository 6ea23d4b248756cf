// MainWindow: its place on the screen and the layout of its columns as it
// resizes.
#include <algorithm>
#include <exception>

#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "app/ui/main_window.h"
#include "common/ansi_text.h"
#include "common/ui/cursor_grid.h"
#include "settings/settings_file.h"

namespace app::ui {
namespace {

// Blank space either side of a cell's text.
constexpr int kCellMargins = 10;

// How much of a saved place must lie on a screen for the window to be found
// there again.
constexpr int kVisibleEnough = 64;

bool onSomeScreen(const QRect& place)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&](const QScreen* screen) {
        const QRect shown = screen->availableGeometry().intersected(place);
        return shown.width() >= kVisibleEnough && shown.height() >= kVisibleEnough;
    });
}

}  // namespace

void MainWindow::placeOnScreen()
{
    std::optional<settings::WindowGeometry> saved;
    try {
        saved = settings::SettingsFile({state_.programDir, [] { return std::string(); }}).readWindowGeometry();
    } catch (const std::exception&) {
        // An unreadable file is reported by the start-up sequence, which
        // reads it in full; the window opens centred meanwhile.
    }
    const QSize least = minimumSizeHint();
    if (saved) {
        const QRect place(saved->left, saved->top, saved->width, saved->height);
        if (onSomeScreen(place)) {
            setGeometry(QRect(place.topLeft(), place.size().expandedTo(least)));
            return;
        }
    }
    resize(size().expandedTo(least));
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - frameGeometry().center() + pos());
}

std::optional<settings::WindowGeometry> MainWindow::placeToKeep() const
{
    const QRect place = normalGeometry();
    if (!place.isValid())
        return std::nullopt;
    return settings::WindowGeometry{place.x(), place.y(), place.width(), place.height()};
}

void MainWindow::applyLayout()
{
    const bool maximized = isMaximized();
    fitAlbumColumns(maximized);
    if (tellFriendLink_->isVisibleTo(this) != maximized) {
        tellFriendLink_->setVisible(maximized);
        reportBugLink_->setVisible(maximized);
        if (storeLists_)
            storeLists_->setVisible(maximized);
        updateControls();
    }
    albumsGrid_->setFocus();
}

// Maximized, the first two columns follow the maximized rule. In a normal
// window all four share the width out, the first two as one column of twice
// the first's design width, since the second always takes the first one's
// width. Label and Genre share what the first two leave; in a normal window
// no title is cut, nor a genre of the genre list.
void MainWindow::fitAlbumColumns(bool maximized)
{
    const auto& design = ColumnLayout::kDesignWidths;
    const int client = albumsGrid_->viewport()->width();
    std::vector<int> titles = albumsGrid_->titleWidths();
    titles.resize(design.size());
    for (const std::string& genre : state_.genres)
        titles[3] = std::max(titles[3], albumsGrid_->fontMetrics().horizontalAdvance(common::fromAnsi(genre)) +
                                            kCellMargins);
    int first = layout_.apply(maximized, client);
    if (!maximized)
        first = common::ui::sharedWidths({2 * design[0], design[2], design[3]},
                                         {2 * std::max(titles[0], titles[1]), titles[2], titles[3]}, client)[0] /
                2;
    const int room = client - 2 * first;
    std::vector<int> rest = common::ui::sharedWidths({design[2], design[3]}, {titles[2], titles[3]}, room);
    // The maximized rule leaves Label and Genre about their design widths:
    // they fit the grid then rather than make it scroll.
    if (maximized && rest[0] + rest[1] > room)
        rest = common::ui::sharedWidths({design[2], design[3]}, {}, room);
    for (int c : {0, 1})
        albumsGrid_->setColumnWidth(c, first);
    albumsGrid_->setColumnWidth(2, rest[0]);
    albumsGrid_->setColumnWidth(3, rest[1]);
}

}  // namespace app::ui
