#include "SkinPixels.h"

#include "ui/art/CGdiPlusBitmapResource.h"
#include "ui/controls/CPngCompassStatic.h"
#include "ui/controls/CPngStatic.h"
#include "ui/controls/CSpeedLabelStatic.h"
#include "ui/controls/CStatusBoardStatic.h"
#include "ui/controls/CompassSector.h"
#include "ui/controls/DrawGlowText.h"
#include "ui/controls/StatusBoardProgress.h"

#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace SkinPixels;

constexpr uint16_t kFirstDial = 167;
constexpr int kDialCount = 8;
constexpr uint16_t kLamp = 150;
constexpr uint16_t kPattern = 189;
const QColor kDark(5, 5, 5);

QImage Shot(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// What the read-out must look like: the dark ground and, when given, the two glowing texts.
QImage SpeedPicture(QSize size, const QString& number, const QString& unit) {
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.fillRect(picture.rect(), kDark);
    if (!number.isEmpty()) {
        DrawGlowText(painter, number, QPointF(0, 10), 20, GlowTextVariant::Readout);
        DrawGlowText(painter, unit, QPointF(40, 18), 12, GlowTextVariant::Readout);
    }
    return picture;
}

QImage DialPicture(uint16_t id, QSize size) {
    CGdiPlusBitmapResource dial;
    EXPECT_TRUE(dial.LoadFromResource(id));
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(kGround);
    QPainter(&picture).drawImage(0, 0, dial.Render(size));
    return picture;
}

TEST(SpeedReadout, ShowsBothUnitsAndADoubleClickSwitchesThem) {
    CSpeedLabelStatic readout;
    readout.resize(80, 40);
    readout.show();
    EXPECT_EQ(Shot(readout), SpeedPicture(readout.size(), "  0", "Km/h"));

    readout.SetSpeed(100, true);
    EXPECT_EQ(Shot(readout), SpeedPicture(readout.size(), "100", "Km/h"));
    QTest::mouseDClick(&readout, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_FALSE(readout.IsKmh());
    EXPECT_EQ(Shot(readout), SpeedPicture(readout.size(), " 62", "MPH"));

    readout.SetSpeed(100, false);
    EXPECT_EQ(Shot(readout), SpeedPicture(readout.size(), QString(), QString()));
}

TEST(Compass, ShowsTheDialOfTheHeadingAndGreyWithoutOne) {
    QWidget parent;
    PaintGround(parent);
    parent.resize(32, 32);
    CPngCompassStatic compass(&parent);
    compass.resize(32, 32);
    for (int k = 0; k < kDialCount; ++k)
        ASSERT_TRUE(compass.AddImage(kFirstDial + k));
    EXPECT_FALSE(compass.AddImage(59999));
    parent.show();

    const struct {
        int degrees;
        uint16_t dial;
    } cases[] = {{0, 167}, {22, 167}, {24, 174}, {90, 173}, {180, 171}, {336, 168}};
    for (const auto& c : cases) {
        const int index = CompassImageIndex(c.degrees / 2, compass.ImageCount());
        ASSERT_TRUE(compass.SetImageIndex(index));
        EXPECT_EQ(Shot(parent), DialPicture(c.dial, compass.size())) << c.degrees;
    }

    ASSERT_TRUE(compass.SetImageIndex(8));
    EXPECT_FALSE(compass.SetImageIndex(9));
    EXPECT_EQ(compass.ImageIndex(), 8u);
    EXPECT_EQ(Shot(parent), DialPicture(174, compass.size()));

    ASSERT_TRUE(compass.SetImageIndex(0));
    const QImage grey = Shot(parent);
    CGdiPlusBitmapResource north;
    ASSERT_TRUE(north.LoadFromResource(kFirstDial));
    const QImage dial = north.Render(compass.size());
    int colouredPixels = 0;
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x) {
            // Where the dial is not opaque the green ground shows through.
            if (dial.pixelColor(x, y).alpha() != 255)
                continue;
            const QColor pixel = grey.pixelColor(x, y);
            colouredPixels += pixel.red() != pixel.green() || pixel.green() != pixel.blue();
        }
    EXPECT_EQ(colouredPixels, 0);
}

TEST(GpsLamp, GreyWhenOutAndInColourWhenLit) {
    CPngStatic lamp;
    lamp.resize(32, 32);
    ASSERT_TRUE(lamp.LoadPicture(kLamp));
    lamp.show();
    const auto colouredPixels = [&lamp] {
        const QImage shot = lamp.grab().toImage();
        int count = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor pixel = shot.pixelColor(x, y);
                count += pixel.alpha() > 0 && (pixel.red() != pixel.blue());
            }
        return count;
    };
    EXPECT_EQ(colouredPixels(), 0);
    lamp.SetLit(true);
    EXPECT_GT(colouredPixels(), 100);
}

TEST(StatusBoard, EmptyAtZeroAndPatternedAtAHundred) {
    CStatusBoardStatic board;
    board.resize(200, 20);
    board.SetPatternBitmap(kPattern);
    board.show();
    const QPoint leftInside(10, 10);

    board.SetProgress(0, ProgressValueText(0));
    EXPECT_TRUE(ColourNear(Shot(board), leftInside, kDark));

    board.SetProgress(100, ProgressValueText(100));
    CGdiPlusBitmapResource pattern;
    ASSERT_TRUE(pattern.LoadFromResource(kPattern));
    const QImage tile = pattern.Render(pattern.Size());
    const QImage shot = Shot(board);
    for (const QPoint at : {QPoint(10, 3), QPoint(190, 15), QPoint(45, 10)})
        EXPECT_TRUE(ColourNear(shot, at, tile.pixelColor(at.x() % 30, at.y() % 30)));
    // The raised edge: light at the top left, dark at the bottom right.
    EXPECT_GT(shot.pixelColor(0, 0).lightness(), shot.pixelColor(199, 19).lightness());
}

} // namespace
