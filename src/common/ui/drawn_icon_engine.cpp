#include "common/ui/drawn_icon_engine.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace common::ui {

DrawnIconEngine::DrawnIconEngine(IconDrawing drawing) : drawing_(drawing) {}

void DrawnIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
    drawn.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect, drawn);
}

QPixmap DrawnIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State)
{
    QPixmap drawn(size);
    drawn.fill(Qt::transparent);
    {
        QPainter painter(&drawn);
        painter.setRenderHint(QPainter::Antialiasing);
        // A square picture, centred in a size that is not square.
        const qreal side = std::min(size.width(), size.height());
        painter.translate((size.width() - side) / 2, (size.height() - side) / 2);
        painter.scale(side / kIconCanvas, side / kIconCanvas);
        drawing_(painter);
    }
    if (mode != QIcon::Disabled)
        return drawn;
    QStyleOption option;
    option.palette = QApplication::palette();
    return QApplication::style()->generatedIconPixmap(QIcon::Disabled, drawn, &option);
}

QIconEngine* DrawnIconEngine::clone() const { return new DrawnIconEngine(drawing_); }

}  // namespace common::ui
