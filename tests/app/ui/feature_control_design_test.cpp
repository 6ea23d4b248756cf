// The pictures of the toolbox buttons and menu entries, as drawn when the
// desktop has no icon theme (the offscreen platform has none).
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QStyle>

#include "app/ui/feature_control_design.h"

namespace {

using app::ui::FeatureBox;
using app::ui::FeatureControlDesign;

bool hasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}

QImage picture(const QIcon& icon, int size, qreal ratio = 1.0)
{
    return icon.pixmap(QSize(size, size), ratio).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(FeatureControlDesign, EveryButtonAndMenuEntryHasAPictureAtEverySize)
{
    for (const FeatureControlDesign& design : app::ui::featureControlDesigns()) {
        if (design.box != FeatureBox::Toolbox && !design.menuText)
            continue;
        SCOPED_TRACE(design.name);
        const QIcon icon = app::ui::featureIcon(design);
        ASSERT_FALSE(icon.isNull());
        for (const int size : {16, 32}) {
            const QImage image = picture(icon, size);
            EXPECT_EQ(image.size(), QSize(size, size));
            EXPECT_TRUE(hasInk(image));
        }
        // Drawn for the screen's pixels, not enlarged from a small bitmap.
        EXPECT_EQ(picture(icon, 16, 2.0).size(), QSize(32, 32));
    }
}

TEST(FeatureControlDesign, HomePageIsNoFolder)
{
    for (const FeatureControlDesign& design : app::ui::featureControlDesigns()) {
        if (design.feature != app::ui::Feature::HomePage)
            continue;
        const QImage home = picture(app::ui::featureIcon(design), 32);
        for (const QStyle::StandardPixmap folder : {QStyle::SP_DirHomeIcon, QStyle::SP_DirIcon})
            EXPECT_NE(home, picture(QApplication::style()->standardIcon(folder), 32));
        return;
    }
    FAIL() << "no home page button";
}

}  // namespace
