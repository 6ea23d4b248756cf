#pragma once

#include <vector>

#include <QTableWidget>

#include "lookup/album_entry.h"

namespace editing::ui {

// The edit form's track grid: a header row, then one row per track with the
// number (" #"), the time ("Time") and the title. Only titles can be
// edited, and the tab key moves only through the title cells.
class TrackGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kNumberColumn = 0;
    static constexpr int kTimeColumn = 1;
    static constexpr int kTitleColumn = 2;

    explicit TrackGrid(QWidget* parent = nullptr);

    // Rows from Windows-1252 cells, and back; `lossy` is set when some text
    // had characters Windows-1252 cannot hold (it is left alone otherwise).
    void setTracks(const std::vector<lookup::TrackRow>& tracks);
    std::vector<lookup::TrackRow> tracks(bool* lossy) const;
    void setTitleHeader(const QString& text);
    void setTimeHeader(const QString& text);
    // Ends an edit under way, keeping what was typed.
    void commitEdit();

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    QString cellText(int row, int column) const;
};

}  // namespace editing::ui
