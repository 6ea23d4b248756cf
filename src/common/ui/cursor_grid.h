#pragma once

#include <vector>

#include <QTableView>

namespace common::ui {

// Widths for columns designed `design` wide in a grid `available` wide: each
// column at least as wide as its design and its `minimum` (a missing minimum
// counts as 0); room beyond that is shared out in proportion to the design
// widths, so the columns fill the grid exactly. A narrower grid scrolls.
std::vector<int> sharedWidths(const std::vector<int>& design, const std::vector<int>& minimum, int available);

// A read-only grid over a cursor model: whole-row selection that stays
// visible without focus, one row current. Printable keys are handed to the
// window (the keyboard jump) instead of the view's own search by text.
class CursorGrid : public QTableView {
    Q_OBJECT
public:
    explicit CursorGrid(const QString& objectName, QWidget* parent = nullptr);

    // Current row, keeping the current column, and scrolls it into view;
    // -1 clears the current index.
    void showRow(int row);

    // From now on the columns share the grid's width out at every resize
    // (see sharedWidths), none narrower than its design or its title.
    void fillWidth(std::vector<int> designWidths);
    // The width each column's title needs.
    std::vector<int> titleWidths() const;

    // The view's search by typed text is replaced by printableKey.
    void keyboardSearch(const QString&) override {}
    // Rows are what the grid moves through: bringing a cell into view never
    // scrolls sideways (Ctrl+End would go to the last column).
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

signals:
    // A character from 32 to 126 typed while the grid has the focus.
    void printableKey(int key);
    // The grid's size changed (the window's layout is applied then).
    void resized();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // A scroll bar coming or going resizes the viewport alone.
    bool viewportEvent(QEvent* event) override;

private:
    void shareWidth();

    std::vector<int> designWidths_;
};

}  // namespace common::ui
