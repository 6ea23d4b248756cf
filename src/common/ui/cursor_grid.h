#pragma once

#include <QTableView>

namespace common::ui {

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

    // The view's search by typed text is replaced by printableKey.
    void keyboardSearch(const QString&) override {}

signals:
    // A character from 32 to 126 typed while the grid has the focus.
    void printableKey(int key);
    // The grid's size changed (the window's layout is applied then).
    void resized();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace common::ui
