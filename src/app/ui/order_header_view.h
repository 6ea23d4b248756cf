#pragma once

#include <QHeaderView>

namespace app::ui {

// Column titles in the model's title colours. Desktop styles draw header
// sections with their own gradients, so a title with a background colour
// (the current order's aqua) is painted here.
class OrderHeaderView : public QHeaderView {
    Q_OBJECT
public:
    explicit OrderHeaderView(QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

}  // namespace app::ui
