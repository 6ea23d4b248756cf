#include "app/ui/tracks_model.h"

#include <QColor>
#include <QFont>

#include "common/ui/named_colours.h"

namespace app::ui {

const QString TracksModel::kTrackTitle =
    " Track Title - Marked (copied or playlist) tracks appear in yellow & italics";

TracksModel::TracksModel(QObject* parent)
    : common::ui::CursorModel({{"NR", "#", Qt::AlignRight | Qt::AlignVCenter, Qt::AlignCenter}, {"TRACK", kTrackTitle}},
                              parent)
{
}

bool TracksModel::isMarked(int row) const
{
    const std::uint8_t* record = recordAt(row);
    if (!record || !playlist_ || !playlist_->isOpen())
        return false;
    // The Playlist tag's key is ID+NR, both as stored.
    return playlist_->cursor().seek(fieldText(record, "ID") + fieldText(record, "NR"));
}

QVariant TracksModel::cellStyle(int row, int, int role) const
{
    if (role == Qt::BackgroundRole)
        return isMarked(row) ? QVariant(QColor(common::ui::colour::kMarked)) : QVariant();
    if (role == Qt::FontRole) {
        QFont font;
        font.setBold(true);
        if (isMarked(row))
            font.setItalic(true);
        return font;
    }
    return {};
}

}  // namespace app::ui
