#include "ui/art/CGdiPlusBitmapResource.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr uint16_t kLockPictures = 158;
constexpr int kLockSide = 24;
constexpr uint16_t kFirstCompassDial = 167;
constexpr int kCompassDials = 8;
constexpr uint16_t kBlackSquare = 193;
constexpr uint16_t kProgressTile = 189;

struct PictureSize {
    uint16_t id;
    int width;
    int height;
};

// Every picture the window, its lists, tooltips and read-outs ask for, at its own size.
constexpr PictureSize kPictures[] = {
    {128, 256, 256},  {129, 64, 64},  {132, 64, 64}, {133, 64, 64}, {136, 64, 64}, {137, 64, 64},
    {138, 64, 48},    {139, 64, 48},  {140, 64, 48}, {141, 64, 48}, {142, 64, 48}, {143, 32, 32},
    {144, 32, 32},    {145, 32, 32},  {146, 32, 32}, {147, 32, 32}, {148, 32, 32}, {149, 80, 12},
    {150, 32, 32},    {151, 32, 33},  {152, 32, 33}, {153, 32, 33}, {154, 32, 33}, {155, 24, 44},
    {156, 24, 44},    {157, 64, 64},  {158, 96, 24}, {161, 32, 32}, {167, 48, 48}, {168, 48, 48},
    {169, 48, 48},    {170, 48, 48},  {171, 48, 48}, {172, 48, 48}, {173, 48, 48}, {174, 48, 48},
    {175, 32, 32},    {176, 32, 32},  {187, 16, 16}, {188, 16, 16}, {189, 30, 30}, {193, 16, 16},
    {201, 1325, 607}, {1045, 16, 16},
};

QImage Rendered(uint16_t id, qreal devicePixelRatio = 1.0) {
    CGdiPlusBitmapResource picture;
    if (!picture.LoadFromResource(id))
        return {};
    return picture.Render(picture.Size(), devicePixelRatio);
}

bool FullyOpaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 255)
                return false;
    return true;
}

// Clockwise from straight up, in degrees 0 to 360, of the centre of the picture's red pixels.
double RedBearing(const QImage& image) {
    double sumX = 0;
    double sumY = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = QColor::fromRgba(image.pixel(x, y));
            if (colour.alpha() > 200 && colour.red() > 140 && colour.green() < 100 &&
                colour.blue() < 100) {
                sumX += x + 0.5 - image.width() / 2.0;
                sumY += y + 0.5 - image.height() / 2.0;
                ++count;
            }
        }
    if (count == 0)
        return -1;
    const double degrees = std::atan2(sumX, -sumY) * 180 / std::numbers::pi;
    return degrees < 0 ? degrees + 360 : degrees;
}

int OpaquePixels(const QImage& image, const QRect& area) {
    int opaque = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            opaque += qAlpha(image.pixel(x, y)) > 128;
    return opaque;
}

TEST(Artwork, EveryPictureIsAValidDrawingWithASize) {
    const QStringList files = QDir(QStringLiteral(":/art")).entryList({QStringLiteral("*.svg")});
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        bool isNumber = false;
        const uint id = QFileInfo(file).baseName().toUInt(&isNumber);
        ASSERT_TRUE(isNumber) << "pictures are named by their id";
        CGdiPlusBitmapResource picture;
        EXPECT_TRUE(picture.LoadFromResource(static_cast<uint16_t>(id)));
        EXPECT_FALSE(picture.Size().isEmpty());
    }
}

TEST(Artwork, EveryPictureAskedForHasItsOwnSize) {
    for (const PictureSize& expected : kPictures) {
        SCOPED_TRACE(expected.id);
        CGdiPlusBitmapResource picture;
        ASSERT_TRUE(picture.LoadFromResource(expected.id));
        EXPECT_EQ(picture.Size(), QSize(expected.width, expected.height));
    }
}

// North (the red letter and the red half of the needle) is up on the first dial and turns
// clockwise by 45 degrees from one dial to the next, so the direction of travel stays up.
TEST(Artwork, CompassDialsTurnNorthClockwiseInEighths) {
    for (int k = 0; k < kCompassDials; ++k) {
        SCOPED_TRACE(kFirstCompassDial + k);
        const QImage dial = Rendered(static_cast<uint16_t>(kFirstCompassDial + k));
        ASSERT_FALSE(dial.isNull());
        const double bearing = RedBearing(dial);
        ASSERT_GE(bearing, 0) << "no red on the dial";
        const double off = std::remainder(bearing - 45.0 * k, 360.0);
        EXPECT_LT(std::abs(off), 5.0) << "north points to " << bearing << " degrees";
    }
}

// The pictures sit on the dark window with their own shapes; only the black square and the
// progress board's tile are plain opaque rectangles.
TEST(Artwork, OnlyTheOpaqueTilesCoverTheirCorners) {
    constexpr qreal kFine = 4.0;
    for (const PictureSize& entry : kPictures) {
        SCOPED_TRACE(entry.id);
        const QImage image = Rendered(entry.id, kFine);
        ASSERT_FALSE(image.isNull());
        if (entry.id == kBlackSquare || entry.id == kProgressTile) {
            EXPECT_TRUE(FullyOpaque(image));
            continue;
        }
        const int right = image.width() - 1;
        const int bottom = image.height() - 1;
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
            EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << corner.x() << "," << corner.y();
    }
}

TEST(Artwork, BlackSquareAndProgressTileColours) {
    const QImage black = Rendered(kBlackSquare);
    ASSERT_FALSE(black.isNull());
    EXPECT_EQ(black.pixel(8, 8), qRgb(0, 0, 0));

    const QImage tile = Rendered(kProgressTile);
    ASSERT_FALSE(tile.isNull());
    const QColor top = tile.pixelColor(15, 0);
    const QColor middle = tile.pixelColor(15, 15);
    EXPECT_GT(top.red(), 100) << "light blue at the top";
    EXPECT_GT(top.green(), 170);
    EXPECT_LT(middle.red(), 40) << "strong blue in the middle";
    EXPECT_GT(middle.blue(), 230);
}

// The lock strip: nothing, then padlocks for G, M and both, each a square of the strip.
TEST(Artwork, DrawsAtThePixelRatioOfTheScreen) {
    CGdiPlusBitmapResource locks;
    ASSERT_TRUE(locks.LoadFromResource(kLockPictures));
    EXPECT_EQ(locks.Size(), QSize(4 * kLockSide, kLockSide));

    const QImage sharp = locks.Render(locks.Size(), 2.0);
    ASSERT_EQ(sharp.size(), 2 * locks.Size());
    EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(locks.Size()));
    const int side = 2 * kLockSide;
    EXPECT_EQ(OpaquePixels(sharp, QRect(0, 0, side, side)), 0);
    for (int state = 1; state < 4; ++state)
        EXPECT_GT(OpaquePixels(sharp, QRect(state * side, 0, side, side)), side * side / 4)
            << "lock state " << state;
}

TEST(Artwork, MissingPictureLeavesTheHolderEmpty) {
    CGdiPlusBitmapResource picture;
    ASSERT_TRUE(picture.LoadFromResource(kLockPictures));
    EXPECT_FALSE(picture.LoadFromResource(1));
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_TRUE(picture.Size().isEmpty());
    EXPECT_TRUE(picture.Render(QSize(24, 24)).isNull());
}

} // namespace
