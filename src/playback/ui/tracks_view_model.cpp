#include "playback/ui/tracks_view_model.h"

#include <QColor>

#include "common/trim_and_case.h"
#include "common/ui/named_colours.h"

namespace playback::ui {

TracksViewModel::TracksViewModel(QObject* parent)
    : common::ui::CursorModel(
          {{"TRACK", "TRACK"}, {"ARTIST", "ARTIST"}, {"ALBUM", "ALBUM"}, {"GENRE", "GENRE"}, {"YR", "YR"}}, parent)
{
}

QVariant TracksViewModel::titleStyle(int section, int role) const
{
    if (role != Qt::BackgroundRole || !attached())
        return {};
    const std::string& order = view()->cursor().order();
    if (!order.empty() && common::equalsNoCase(order, fieldOf(section)))
        return QColor(common::ui::colour::kAqua);
    return {};
}

}  // namespace playback::ui
