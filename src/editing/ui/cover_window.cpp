#include "editing/ui/cover_window.h"

#include <algorithm>

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace editing::ui {
namespace {

// Of the screen's free area, at most this share is taken at first.
constexpr double kScreenShare = 0.8;

}  // namespace

CoverWindow::CoverWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("CoverWindow");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CoverWindow::showImage(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return false;
    image_ = std::move(image);
    setWindowTitle(QFileInfo(path).fileName());
    if (!isVisible())
        placeFor(image_.size());
    show();
    raise();
    // Esc must reach the window even where no window manager hands out focus.
    activateWindow();
    update();
    return true;
}

// At the picture's size as far as the screen allows, over the middle of the
// window it belongs to (or of the screen).
void CoverWindow::placeFor(QSize size)
{
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect free = screen->availableGeometry();
    const QSize room = free.size() * kScreenShare;
    if (size.width() > room.width() || size.height() > room.height())
        size.scale(room, Qt::KeepAspectRatio);
    QRect frame(QPoint(), size);
    frame.moveCenter(parentWidget() ? parentWidget()->window()->geometry().center() : free.center());
    frame.moveTopLeft(QPoint(std::max(frame.left(), free.left()), std::max(frame.top(), free.top())));
    setGeometry(frame);
}

void CoverWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (image_.isNull())
        return;
    QSize size = image_.size();
    size.scale(this->size(), Qt::KeepAspectRatio);
    QRect target(QPoint(), size);
    target.moveCenter(rect().center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image_);
}

void CoverWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

}  // namespace editing::ui
