#pragma once

#include "common/ui/cursor_model.h"

namespace app::ui {

// AlbumsGrid's model over albums: Artist, Album, Media Label/Directory,
// Genre. The title of the column whose tag is the current order is aqua;
// the Genre column is drawn in regular weight.
class AlbumsModel : public common::ui::CursorModel {
    Q_OBJECT
public:
    static constexpr int kGenreColumn = 3;

    explicit AlbumsModel(QObject* parent = nullptr);

protected:
    QVariant cellStyle(int row, int column, int role) const override;
    QVariant titleStyle(int section, int role) const override;
};

}  // namespace app::ui
