#include "common/ui/icon_drawings.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace common::ui::icon_drawings {
namespace {

const QColor kOutline(0x3c, 0x3c, 0x3c);
const QColor kPaper(0xfa, 0xfa, 0xf5);
const QColor kBlue(0x34, 0x75, 0xc8);
const QColor kRed(0xc8, 0x3a, 0x2e);
const QColor kGreen(0x4c, 0x9a, 0x3c);

void outline(QPainter& painter, qreal width = 1.5, const QColor& colour = kOutline)
{
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// A round badge with a white sign on it.
void badge(QPainter& painter, const QColor& colour)
{
    outline(painter, 1.0, colour.darker(140));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(2, 2, 20, 20));
    outline(painter, 2.5, Qt::white);
    painter.setBrush(Qt::NoBrush);
}

// A sheet of paper with ruled lines from `firstLine` down.
void sheet(QPainter& painter, qreal firstLine)
{
    outline(painter, 1.2);
    painter.setBrush(kPaper);
    painter.drawPolygon(QPolygonF{{5, 2}, {15, 2}, {20, 7}, {20, 22}, {5, 22}});
    painter.drawPolyline(QPolygonF{{15, 2}, {15, 7}, {20, 7}});
    outline(painter, 1.2, Qt::gray);
    for (qreal y = firstLine; y < 20; y += 3)
        painter.drawLine(QPointF(8, y), QPointF(17, y));
}

}  // namespace

void house(QPainter& painter)
{
    outline(painter);
    painter.setBrush(kPaper);
    painter.drawRect(QRectF(5, 11, 14, 10));
    painter.setBrush(kRed);
    painter.drawPolygon(QPolygonF{{2, 12.5}, {12, 3}, {22, 12.5}});
    painter.setBrush(QColor(0x8e, 0x5b, 0x32));
    painter.drawRect(QRectF(10, 14.5, 4, 6.5));
}

void sortAscending(QPainter& painter)
{
    outline(painter, 2.0);
    for (int bar = 0; bar < 4; ++bar) {
        const qreal y = 5 + bar * 4.5;
        painter.drawLine(QPointF(3, y), QPointF(5 + bar * 3, y));
    }
    outline(painter, 2.0, kBlue);
    painter.drawLine(QPointF(18, 3), QPointF(18, 20));
    painter.drawPolyline(QPolygonF{{14, 16}, {18, 20.5}, {22, 16}});
}

void opticalDisc(QPainter& painter)
{
    QRadialGradient shine(QPointF(8, 8), 16);
    shine.setColorAt(0, QColor(0xf4, 0xf4, 0xf8));
    shine.setColorAt(1, QColor(0xa8, 0xb4, 0xc8));
    outline(painter, 1.2);
    painter.setBrush(shine);
    painter.drawEllipse(QRectF(2, 2, 20, 20));
    painter.setBrush(QColor(0xd8, 0xdc, 0xe4));
    painter.drawEllipse(QPointF(12, 12), 4.5, 4.5);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(12, 12), 1.8, 1.8);
}

void globe(QPainter& painter)
{
    outline(painter, 1.2, kBlue.darker(150));
    painter.setBrush(kBlue.lighter(130));
    painter.drawEllipse(QRectF(2, 2, 20, 20));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(7.5, 2, 9, 20));
    painter.drawLine(QPointF(12, 2), QPointF(12, 22));
    painter.drawLine(QPointF(2, 12), QPointF(22, 12));
    painter.drawLine(QPointF(3.8, 7), QPointF(20.2, 7));
    painter.drawLine(QPointF(3.8, 17), QPointF(20.2, 17));
}

void picture(QPainter& painter)
{
    outline(painter, 1.2);
    painter.setBrush(QColor(0xbf, 0xdc, 0xf5));
    painter.drawRect(QRectF(2, 4, 20, 16));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf2, 0xc0, 0x2c));
    painter.drawEllipse(QPointF(16.5, 8.5), 2, 2);
    painter.setBrush(kGreen);
    painter.drawPolygon(QPolygonF{{2.6, 19.4}, {9, 10}, {14, 16}, {16.5, 13.5}, {21.4, 19.4}});
}

void gear(QPainter& painter)
{
    painter.save();
    painter.translate(12, 12);
    outline(painter, 1.0);
    painter.setBrush(QColor(0x8a, 0x93, 0x9e));
    constexpr int kTeeth = 8;
    for (int tooth = 0; tooth < kTeeth; ++tooth) {
        painter.drawRect(QRectF(-2, -11, 4, 5));
        painter.rotate(360.0 / kTeeth);
    }
    painter.drawEllipse(QPointF(0, 0), 7.5, 7.5);
    painter.setBrush(kPaper);
    painter.drawEllipse(QPointF(0, 0), 3, 3);
    painter.restore();
}

void information(QPainter& painter)
{
    badge(painter, kBlue);
    painter.drawLine(QPointF(12, 10.5), QPointF(12, 17));
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(12, 6.8), 1.6, 1.6);
}

void question(QPainter& painter)
{
    badge(painter, kGreen);
    QPainterPath hook;
    hook.moveTo(8.8, 9);
    hook.arcTo(QRectF(8.8, 5.5, 6.4, 6.4), 180, -270);
    hook.lineTo(12, 14);
    painter.drawPath(hook);
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(12, 17.5), 1.6, 1.6);
}

void listDetails(QPainter& painter)
{
    for (int row = 0; row < 4; ++row) {
        const qreal y = 5 + row * 4.7;
        painter.setPen(Qt::NoPen);
        painter.setBrush(kBlue);
        painter.drawRect(QRectF(2.5, y - 1.5, 3, 3));
        outline(painter, 1.6);
        painter.drawLine(QPointF(8, y), QPointF(21.5, y));
    }
}

void documentProperties(QPainter& painter)
{
    sheet(painter, 10);
}

void magnifier(QPainter& painter)
{
    outline(painter, 3.0, QColor(0x6b, 0x4a, 0x2b));
    painter.drawLine(QPointF(14.5, 14.5), QPointF(21, 21));
    outline(painter, 2.0);
    painter.setBrush(QColor(0xdc, 0xec, 0xfa));
    painter.drawEllipse(QPointF(9.5, 9.5), 6.5, 6.5);
}

void clear(QPainter& painter)
{
    outline(painter, 3.0, kRed);
    painter.drawLine(QPointF(5, 5), QPointF(19, 19));
    painter.drawLine(QPointF(19, 5), QPointF(5, 19));
}

void exitDoor(QPainter& painter)
{
    outline(painter, 1.4);
    painter.setBrush(QColor(0x8e, 0x5b, 0x32));
    painter.drawRect(QRectF(3, 2.5, 10, 19));
    outline(painter, 2.2, kRed);
    painter.drawLine(QPointF(9, 12), QPointF(21, 12));
    painter.drawPolyline(QPolygonF{{17, 8}, {21, 12}, {17, 16}});
}

}  // namespace common::ui::icon_drawings
