#include "editing/ui/cover_window.h"

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
    QSize size = image_.size();
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size() * kScreenShare;
        if (size.width() > room.width() || size.height() > room.height())
            size.scale(room, Qt::KeepAspectRatio);
    }
    resize(size);
    show();
    raise();
    update();
    return true;
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
