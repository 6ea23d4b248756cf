#include "common/ui/cursor_grid.h"

#include <algorithm>
#include <numeric>

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

namespace common::ui {
namespace {

constexpr int kFirstPrintable = 32;
constexpr int kLastPrintable = 126;

}  // namespace

std::vector<int> sharedWidths(const std::vector<int>& design, const std::vector<int>& minimum, int available)
{
    std::vector<int> widths(design.size());
    for (std::size_t c = 0; c < design.size(); ++c)
        widths[c] = std::max(design[c], c < minimum.size() ? minimum[c] : 0);
    const int room = available - std::accumulate(widths.begin(), widths.end(), 0);
    const long long totalDesign = std::accumulate(design.begin(), design.end(), 0LL);
    if (room <= 0 || totalDesign <= 0)
        return widths;
    // Shares of the running total, so the rounding never loses a pixel.
    long long designSoFar = 0;
    int givenSoFar = 0;
    for (std::size_t c = 0; c < design.size(); ++c) {
        designSoFar += design[c];
        const int due = static_cast<int>(room * designSoFar / totalDesign);
        widths[c] += due - givenSoFar;
        givenSoFar = due;
    }
    return widths;
}

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

void CursorGrid::fillWidth(std::vector<int> designWidths)
{
    designWidths_ = std::move(designWidths);
    shareWidth();
}

void CursorGrid::shareWidth()
{
    const std::vector<int> widths = sharedWidths(designWidths_, titleWidths(), viewport()->width());
    for (std::size_t c = 0; c < widths.size(); ++c)
        setColumnWidth(static_cast<int>(c), widths[c]);
}

std::vector<int> CursorGrid::titleWidths() const
{
    std::vector<int> widths;
    const int columns = model() ? model()->columnCount() : 0;
    for (int c = 0; c < columns; ++c)
        widths.push_back(horizontalHeader()->sectionSizeHint(c));
    return widths;
}

void CursorGrid::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(sideways);
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

bool CursorGrid::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Resize && !designWidths_.empty())
        shareWidth();
    return QTableView::viewportEvent(event);
}

}  // namespace common::ui
