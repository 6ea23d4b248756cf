#pragma once

#include "common/ui/cursor_model.h"

namespace app::ui {

// CDGrid's model over currentAlbumTracks (the current album's tracks): "#" and the
// title. A marked track (a PLAYLIST row with its ID and NR, looked up in
// playlist) is yellow and bold italic; the others bold.
class TracksModel : public common::ui::CursorModel {
    Q_OBJECT
public:
    static const QString kTrackTitle;

    explicit TracksModel(QObject* parent = nullptr);

    // Where marks are looked up; null (or closed) marks nothing.
    void setPlaylist(catalogue::TableView* playlist) { playlist_ = playlist; }
    bool isMarked(int row) const;

protected:
    QVariant cellStyle(int row, int column, int role) const override;

private:
    catalogue::TableView* playlist_ = nullptr;
};

}  // namespace app::ui
