#include "ui/controls/CVideoStatic.h"
#include "ui/controls/DrawGlowText.h"
#include "ui/controls/PaintVideoSurface.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor kSurface(5, 5, 5);

// The bounding box of the pixels that differ from ground.
QRect Drawn(const QImage& image, QColor ground) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != ground)
                box |= QRect(x, y, 1, 1);
    return box;
}

QColor Brightest(const QImage& image) {
    QColor brightest = image.pixelColor(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) > qGray(brightest.rgb()))
                brightest = image.pixelColor(x, y);
    return brightest;
}

QImage Surface(bool counterShown, int counter) {
    QImage image(320, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintVideoSurface(painter, image.rect(), counterShown, counter);
    return image;
}

TEST(VideoSurface, DarkWithTheCounterInTheTopLeftCorner) {
    EXPECT_TRUE(Drawn(Surface(false, 37), kSurface).isNull()) << "all dark";

    const QImage counting = Surface(true, 37);
    const QRect digits = Drawn(counting, kSurface);
    ASSERT_FALSE(digits.isNull());
    EXPECT_LT(digits.left(), 16);
    EXPECT_LT(digits.top(), 30);
    EXPECT_GT(digits.height(), 40) << "large digits";
    EXPECT_LT(digits.right(), 120) << "two digits, nothing more";
    const QColor brightest = Brightest(counting);
    EXPECT_GT(brightest.blue(), brightest.red()) << "the caption glows blue";
}

TEST(GlowText, EachVariantStartsWhereItsLookSays) {
    const struct {
        GlowTextVariant variant;
        QPointF origin;
        QPoint expectedTopLeft;
    } cases[] = {
        {GlowTextVariant::Title, QPointF(100, 100), QPoint(8, 4)},
        {GlowTextVariant::Caption, QPointF(100, 50), QPoint(10, 50)},
        {GlowTextVariant::Readout, QPointF(60, 30), QPoint(60, 30)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.variant));
        QImage image(300, 200, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        DrawGlowText(painter, QStringLiteral("88"), c.origin, 40, c.variant);
        painter.end();
        const QRect drawn = Drawn(image, Qt::transparent);
        ASSERT_FALSE(drawn.isNull());
        // The glow reaches a few pixels beyond the glyphs' own edge.
        EXPECT_NEAR(drawn.left(), c.expectedTopLeft.x(), 8);
        EXPECT_GE(drawn.top(), c.expectedTopLeft.y() - 4);
        EXPECT_LT(drawn.top(), c.expectedTopLeft.y() + 20);
    }
}

// The native window only exists on a real display; the offscreen platform has none to show.
TEST(VideoSurface, NativeWindowIsRepaintedWhenAsked) {
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        GTEST_SKIP() << "needs a display";
    CVideoStatic video;
    video.resize(200, 120);
    video.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&video));
    EXPECT_NE(video.NativeWindowId(), WId(0));

    video.ShowCounter(true);
    video.SetCounter(5);
    video.Repaint();
    const QImage shot =
        QGuiApplication::primaryScreen()->grabWindow(video.NativeWindowId()).toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.pixelColor(shot.width() - 2, shot.height() - 2), kSurface);
    EXPECT_FALSE(Drawn(shot, kSurface).isNull()) << "the counter is on the surface at once";
}

} // namespace
