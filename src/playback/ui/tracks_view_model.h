#pragma once

#include "common/ui/cursor_model.h"

namespace playback::ui {

// The tracks view's grid: title, artist, album, genre and year of each row
// of the work table, the title of the column whose tag orders the rows in
// aqua.
class TracksViewModel : public common::ui::CursorModel {
    Q_OBJECT
public:
    static constexpr int kArtistColumn = 1;

    explicit TracksViewModel(QObject* parent = nullptr);

protected:
    QVariant titleStyle(int section, int role) const override;
};

}  // namespace playback::ui
