#include "SkinPixels.h"

#include "ui/controls/CPngStatic.h"

#include <gtest/gtest.h>

namespace {

using namespace SkinPixels;

TEST(PngStatic, LitInColourUnlitInGrey) {
    QWidget parent;
    PaintGround(parent);
    parent.resize(40, 40);
    CPngStatic lamp(&parent);
    lamp.setGeometry(4, 4, 24, 24);
    parent.show();
    const QPoint middle(16, 16);

    EXPECT_TRUE(ColourNear(parent.grab().toImage(), middle, kGround)) << "no picture";
    ASSERT_TRUE(lamp.LoadPicture(kRedPicture));
    EXPECT_FALSE(lamp.IsLit());
    // 0.3 x 200 + 0.59 x 60 + 0.11 x 30
    EXPECT_TRUE(ColourNear(parent.grab().toImage(), middle, QColor(99, 99, 99)));
    lamp.SetLit(true);
    EXPECT_TRUE(ColourNear(parent.grab().toImage(), middle, kRed));
    EXPECT_TRUE(ColourNear(parent.grab().toImage(), QPoint(3, 3), kGround));
}

} // namespace
