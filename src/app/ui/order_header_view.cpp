#include "app/ui/order_header_view.h"

#include <QPainter>

namespace app::ui {
namespace {

constexpr int kTextMargin = 4;

}  // namespace

OrderHeaderView::OrderHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setHighlightSections(false);
}

void OrderHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    const QVariant background = model() ? model()->headerData(logicalIndex, orientation(), Qt::BackgroundRole)
                                        : QVariant();
    if (!background.canConvert<QColor>()) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    painter->save();
    painter->fillRect(rect, background.value<QColor>());
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    const QVariant foreground = model()->headerData(logicalIndex, orientation(), Qt::ForegroundRole);
    painter->setPen(foreground.canConvert<QColor>() ? foreground.value<QColor>() : palette().color(QPalette::ButtonText));
    const int alignment = model()->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole).toInt();
    painter->drawText(rect.adjusted(kTextMargin, 0, -kTextMargin, 0), alignment | Qt::AlignVCenter,
                      model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString());
    painter->restore();
}

}  // namespace app::ui
