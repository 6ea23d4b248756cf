#include "app/ui/albums_model.h"

#include <QColor>
#include <QFont>

#include "catalogue/cursor_browsing.h"
#include "common/ui/named_colours.h"

namespace app::ui {

AlbumsModel::AlbumsModel(QObject* parent)
    : common::ui::CursorModel(
          {{"ARTIST", "Artist"}, {"ALBUM", "Album"}, {"LABEL", "Media Label/Directory"}, {"GENRE", "Genre"}}, parent)
{
}

QVariant AlbumsModel::cellStyle(int, int column, int role) const
{
    if (role == Qt::FontRole && column == kGenreColumn) {
        QFont regular;
        regular.setBold(false);
        return regular;
    }
    return {};
}

QVariant AlbumsModel::titleStyle(int section, int role) const
{
    if (role == Qt::BackgroundRole && attached() && catalogue::isCurrentOrder(view()->cursor(), fieldOf(section)))
        return QColor(common::ui::colour::kAqua);
    return {};
}

}  // namespace app::ui
