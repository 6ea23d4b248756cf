// The cover window drawn offscreen over a real picture file: its shape kept
// in windows of other shapes, Esc, and files it cannot read.
#include <fstream>

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTest>

#include "editing/ui/cover_window.h"
#include "support/temp_dir.h"

namespace {

using editing::ui::CoverWindow;

class CoverWindowTest : public testing::Test {
protected:
    // A 400x300 red picture with a blue disc in its middle.
    CoverWindowTest() : picture(QString::fromStdString(dir.file("front cover.png")))
    {
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::red);
        QPainter painter(&image);
        painter.setBrush(Qt::blue);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPoint(200, 150), 60, 60);
        painter.end();
        EXPECT_TRUE(image.save(picture));
    }
    QImage shotAt(int width, int height)
    {
        window.resize(width, height);
        return window.grab().toImage();
    }

    test_support::TempDir dir;
    QString picture;
    CoverWindow window;
};

TEST_F(CoverWindowTest, ThePictureFillsTheWindowOneWayWithBandsTheOther)
{
    ASSERT_TRUE(window.showImage(picture));
    EXPECT_TRUE(window.isVisible());

    const QImage wide = shotAt(600, 300);
    ASSERT_EQ(wide.size(), QSize(600, 300));
    EXPECT_EQ(wide.pixelColor(20, 150), QColor(Qt::black)) << "band on the left";
    EXPECT_EQ(wide.pixelColor(580, 150), QColor(Qt::black)) << "band on the right";
    EXPECT_EQ(wide.pixelColor(110, 10), QColor(Qt::red)) << "the picture starts after 100 pixels";
    EXPECT_EQ(wide.pixelColor(300, 150), QColor(Qt::blue));

    const QImage tall = shotAt(300, 600);
    EXPECT_EQ(tall.pixelColor(150, 40), QColor(Qt::black)) << "band above: the picture is 300x225";
    EXPECT_EQ(tall.pixelColor(150, 560), QColor(Qt::black)) << "band below";
    EXPECT_EQ(tall.pixelColor(5, 200), QColor(Qt::red));
    EXPECT_EQ(tall.pixelColor(150, 300), QColor(Qt::blue));
}

TEST_F(CoverWindowTest, FilesThatAreNoPictureLeaveTheWindowAsItWasAndEscClosesIt)
{
    std::ofstream(dir.file("cover.jpg")) << "not a picture";
    EXPECT_FALSE(window.showImage(QString::fromStdString(dir.file("cover.jpg"))));
    EXPECT_FALSE(window.showImage(QString::fromStdString(dir.file("missing.png"))));
    EXPECT_FALSE(window.isVisible());

    ASSERT_TRUE(window.showImage(picture));
    EXPECT_FALSE(window.showImage(QString::fromStdString(dir.file("cover.jpg"))));
    EXPECT_EQ(shotAt(400, 300).pixelColor(200, 150), QColor(Qt::blue)) << "still the picture read before";
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
