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
// tracks in SrcList, the marked ones in DstList, the four move buttons, the
// count and running time of the marked tracks, OK, Cancel and Help. Only OK
// writes anything, through `save`.
class TDualListDlg : public QDialog {
    Q_OBJECT
public:
    // Writes the marks; false when it failed (the user has been told) and
    // the dialog stays open.
    using Save = std::function<bool(const PlaylistMarks&)>;

    TDualListDlg(PlaylistMarks marks, const QString& albumTitle, Save save, std::function<void()> help,
                 QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    void includeBtnClick();
    void excludeBtnClick();
    void incAllBtnClick();
    void excAllBtnClick();
    void okBtnClick();
    // Moves the selected entries of `list` (one of the two) to the other.
    void moveSelected(QListWidget* list);
    static int firstSelection(const QListWidget* list);
    void setItem(QListWidget* list, int index);
    void setButtons();
    void showLists();
    void showRunningTime();

    PlaylistMarks marks_;
    QString albumTitle_;
    Save save_;
    std::function<void()> help_;
    bool activated_ = false;

    QListWidget* srcList_;
    QListWidget* dstList_;
    QToolButton* includeBtn_;
    QToolButton* incAllBtn_;
    QToolButton* excludeBtn_;
    QToolButton* exAllBtn_;
    QLabel* trksLabel_;
    QLabel* label1_;
    QLineEdit* runningLabel_;
};

}  // namespace playback::ui
