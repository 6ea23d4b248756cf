#include "common/ui/cursor_grid.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace common::ui {
namespace {

constexpr int kFirstPrintable = 32;
constexpr int kLastPrintable = 126;

}  // namespace

CursorGrid::CursorGrid(const QString& objectName, QWidget* parent) : QTableView(parent)
{
    setObjectName(objectName);
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    // Uniform rows: the view need not measure twenty thousand of them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    QPalette p = palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        p.setBrush(QPalette::Inactive, role, p.brush(QPalette::Active, role));
    setPalette(p);
}

void CursorGrid::showRow(int row)
{
    if (!model())
        return;
    if (row < 0 || row >= model()->rowCount()) {
        selectionModel()->clear();
        return;
    }
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    const QModelIndex target = model()->index(row, column);
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(target);
}

void CursorGrid::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && text.size() == 1 && text[0].unicode() >= kFirstPrintable && text[0].unicode() <= kLastPrintable) {
        emit printableKey(text[0].unicode());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void CursorGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    emit resized();
}

}  // namespace common::ui
