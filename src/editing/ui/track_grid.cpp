#include "editing/ui/track_grid.h"

#include <QHeaderView>

#include "common/ansi_text.h"

namespace editing::ui {
namespace {

constexpr int kColumns = 3;
constexpr int kNumberWidth = 32;
constexpr int kTimeWidth = 44;
constexpr char kNumberHeader[] = " #";
constexpr char kTimeHeader[] = "Time";

}  // namespace

TrackGrid::TrackGrid(QWidget* parent) : QTableWidget(0, kColumns, parent)
{
    setHorizontalHeaderLabels({kNumberHeader, kTimeHeader, QString()});
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->hide();
    setColumnWidth(kNumberColumn, kNumberWidth);
    setColumnWidth(kTimeColumn, kTimeWidth);
    // Titles take the rest of the grid: they never hide behind a sideways scroll.
    horizontalHeader()->setStretchLastSection(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
}

void TrackGrid::setTracks(const std::vector<lookup::TrackRow>& tracks)
{
    clearContents();
    setRowCount(static_cast<int>(tracks.size()));
    const QFont fixed("monospace");
    for (int r = 0; r < rowCount(); ++r) {
        const lookup::TrackRow& track = tracks[static_cast<std::size_t>(r)];
        // Number and time are fixed: they come from the disc or the import.
        for (int c : {kNumberColumn, kTimeColumn}) {
            auto* item = new QTableWidgetItem(common::fromAnsi(c == kNumberColumn ? track.number : track.length));
            item->setFlags(Qt::ItemIsEnabled);
            item->setFont(fixed);
            setItem(r, c, item);
        }
        setItem(r, kTitleColumn, new QTableWidgetItem(common::fromAnsi(track.title)));
    }
    if (rowCount() > 0)
        setCurrentCell(0, kTitleColumn);
}

std::vector<lookup::TrackRow> TrackGrid::tracks(bool* lossy) const
{
    const auto ansi = [lossy](const QString& text) {
        bool cut = false;
        std::string converted = common::toAnsi(text, &cut);
        if (cut && lossy)
            *lossy = true;
        return converted;
    };
    std::vector<lookup::TrackRow> rows;
    for (int r = 0; r < rowCount(); ++r)
        rows.push_back(
            {ansi(cellText(r, kNumberColumn)), ansi(cellText(r, kTimeColumn)), ansi(cellText(r, kTitleColumn))});
    return rows;
}

void TrackGrid::setTitleHeader(const QString& text) { horizontalHeaderItem(kTitleColumn)->setText(text); }

void TrackGrid::setTimeHeader(const QString& text) { horizontalHeaderItem(kTimeColumn)->setText(text); }

void TrackGrid::commitEdit()
{
    if (state() != EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

QString TrackGrid::cellText(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

// Tab and backtab step from title to title; past the last (first) one the
// focus leaves the grid.
QModelIndex TrackGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action != MoveNext && action != MovePrevious)
        return QTableWidget::moveCursor(action, modifiers);
    const int row = currentIndex().isValid() ? currentIndex().row() : -1;
    const bool onTitle = currentIndex().column() == kTitleColumn;
    const int target = action == MoveNext ? (onTitle ? row + 1 : std::max(row, 0)) : (onTitle ? row - 1 : row);
    if (target < 0 || target >= rowCount())
        return {};
    return model()->index(target, kTitleColumn);
}

}  // namespace editing::ui
