#pragma once

#include <QIconEngine>

class QPainter;

namespace common::ui {

// Paints a picture on a canvas of kIconCanvas x kIconCanvas units; the engine
// scales the canvas to the size asked.
using IconDrawing = void (*)(QPainter&);
inline constexpr int kIconCanvas = 24;

// An icon drawn with vectors at the size and pixel ratio it is shown at, so it
// stays sharp at every scale without bitmaps shipped beside the program.
class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(IconDrawing drawing);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;

private:
    IconDrawing drawing_;
};

}  // namespace common::ui
