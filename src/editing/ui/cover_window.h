#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace editing::ui {

// An album's cover picture, as large as the window allows without
// distorting it; Esc closes the window.
class CoverWindow : public QWidget {
    Q_OBJECT
public:
    explicit CoverWindow(QWidget* parent = nullptr);

    // Reads the picture at `path` (as the file system spells it) and shows
    // it. Returns false, leaving the window as it was, when the file cannot
    // be read as a picture.
    bool showImage(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeFor(QSize size);

    QImage image_;
};

}  // namespace editing::ui
