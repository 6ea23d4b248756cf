#pragma once

#include <functional>
#include <string>

#include <QDialog>

#include "playback/playlist_marks.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;

namespace playback::ui {

// " Select tracks to mark for playlist or copy": the album's unmarked
// tracks in one list, the marked ones in the other, the four move buttons,
// the count and running time of the marked tracks, OK, Cancel and Help.
// Only OK writes anything, through `save`.
class PlaylistMarkingDialog : public QDialog {
    Q_OBJECT
public:
    // Writes the marks; false when it failed (the user has been told) and
    // the dialog stays open.
    using Save = std::function<bool(const PlaylistMarks&)>;

    PlaylistMarkingDialog(PlaylistMarks marks, const QString& albumTitle, Save save, std::function<void()> help,
                          QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    void includeSelected();
    void excludeSelected();
    void includeAll();
    void excludeAll();
    void saveAndClose();
    // Moves the selected entries of `list` (one of the two) to the other.
    void moveSelected(QListWidget* list);
    // Focuses `list` with the entry at `index` (or the nearest) selected.
    void selectNear(QListWidget* list, int index);
    void enableMoveButtons();
    void fillLists();
    void showTotals();

    PlaylistMarks marks_;
    QString albumTitle_;
    Save save_;
    std::function<void()> help_;
    bool activated_ = false;

    QListWidget* availableList_;
    QListWidget* markedList_;
    QToolButton* includeButton_;
    QToolButton* includeAllButton_;
    QToolButton* excludeButton_;
    QToolButton* excludeAllButton_;
    QLabel* markedCount_;
    QLabel* runningTimeLabel_;
    QLineEdit* runningTime_;
};

}  // namespace playback::ui
