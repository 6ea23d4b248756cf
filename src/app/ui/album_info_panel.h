#pragma once

#include <QFrame>

class QLabel;
class QToolButton;

namespace app::ui {

// The strip between the grids: the current album's year, media code and
// index in maroon, the two green play hints and the play button.
class AlbumInfoPanel : public QFrame {
    Q_OBJECT
public:
    explicit AlbumInfoPanel(QWidget* parent = nullptr);

    // The values shown (already trimmed); empty for no current album.
    void showAlbum(const QString& year, const QString& media, const QString& index);
    QToolButton* playButton() const { return play_; }

private:
    QLabel* year_;
    QLabel* media_;
    QLabel* index_;
    QToolButton* play_;
};

}  // namespace app::ui
