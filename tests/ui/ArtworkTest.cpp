#include "ui/art/CGdiPlusBitmapResource.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

constexpr uint16_t kLockPictures = 158;
constexpr int kLockSide = 24;

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
