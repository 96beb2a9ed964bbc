#include "SkinPixels.h"

#include "ui/controls/CGdipButton.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace SkinPixels;

constexpr QPoint kButtonAt(10, 10);
constexpr QSize kButtonSize(32, 32);
const QPoint kCorner = kButtonAt;
const QPoint kMiddle = kButtonAt + QPoint(16, 16);

// 0.3 R + 0.59 G + 0.11 B of the blue picture, and each channel x 1.05 + 12.75.
const QColor kGrey(105, 105, 105);
const QColor kHotBlue(55, 139, 223);

// What a double-click delivers: press, release, press, double-click, release.
void SendMouse(QWidget& widget, QEvent::Type type) {
    const QPointF at(4, 4);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

struct ButtonOnGround {
    ButtonOnGround() : button(&parent) {
        PaintGround(parent);
        parent.resize(60, 60);
        button.setGeometry(QRect(kButtonAt, kButtonSize));
        parent.show();
    }
    QImage Shot() { return parent.grab().toImage(); }
    void Hover() {
        QEnterEvent enter(QPointF(4, 4), QPointF(4, 4), QPointF(4, 4));
        QCoreApplication::sendEvent(&button, &enter);
    }

    QWidget parent;
    CGdipButton button;
};

TEST(GdipButton, DrawsEachStateOfItsPicture) {
    ButtonOnGround on;
    ASSERT_TRUE(on.button.LoadPicture(kBluePicture));

    QImage shot = on.Shot();
    EXPECT_TRUE(ColourNear(shot, kCorner, kBlue)) << "standard";
    EXPECT_TRUE(ColourNear(shot, kButtonAt - QPoint(1, 1), kGround)) << "only over the button";

    on.button.setDown(true);
    shot = on.Shot();
    EXPECT_TRUE(ColourNear(shot, kCorner, kGround)) << "pressed moves one pixel right and down";
    EXPECT_TRUE(ColourNear(shot, kCorner + QPoint(1, 1), kBlue));
    on.button.setDown(false);

    on.Hover();
    EXPECT_TRUE(ColourNear(on.Shot(), kMiddle, kHotBlue)) << "hot";
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&on.button, &leave);
    EXPECT_TRUE(ColourNear(on.Shot(), kMiddle, kBlue)) << "leaving restores the picture";

    on.button.SetPictureState(CGdipButton::kDisabledState);
    on.Hover();
    EXPECT_TRUE(ColourNear(on.Shot(), kMiddle, kGrey)) << "grey, even under the mouse";
}

TEST(GdipButton, FollowsItsSizeWhenResized) {
    ButtonOnGround on;
    ASSERT_TRUE(on.button.LoadPicture(kBluePicture));
    on.Shot();
    on.button.resize(44, 20);
    const QImage shot = on.Shot();
    EXPECT_TRUE(ColourNear(shot, kButtonAt + QPoint(43, 19), kBlue));
    EXPECT_TRUE(ColourNear(shot, kButtonAt + QPoint(44, 10), kGround));
}

TEST(GdipButton, TwoStateButtonFlipsOnEachPress) {
    ButtonOnGround on;
    ASSERT_TRUE(on.button.LoadPicture(kBluePicture));
    ASSERT_TRUE(on.button.LoadAlternatePicture(kRedPicture));
    on.button.EnableTwoState(true);
    QSignalSpy clicks(&on.button, &QAbstractButton::clicked);

    QTest::mousePress(&on.button, Qt::LeftButton);
    EXPECT_EQ(on.button.PictureState(), CGdipButton::kAlternateState) << "flips while held";
    EXPECT_TRUE(ColourNear(on.Shot(), kMiddle, kRed));
    EXPECT_TRUE(ColourNear(on.Shot(), kMiddle, kRed)) << "a repaint while held does not flip";
    EXPECT_EQ(clicks.count(), 0) << "the command comes at the release";
    QTest::mouseRelease(&on.button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(ColourNear(on.Shot(), kMiddle, kRed));

    for (QEvent::Type type :
         {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
          QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
        SendMouse(on.button, type);
    EXPECT_EQ(clicks.count(), 3) << "a double-click is two clicks";
    EXPECT_EQ(on.button.PictureState(), CGdipButton::kAlternateState) << "flipped twice";

    on.button.setFocus();
    QTest::keyClick(&on.button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 4);
    EXPECT_EQ(on.button.PictureState(), CGdipButton::kStandardState);
    EXPECT_TRUE(ColourNear(on.Shot(), kMiddle, kBlue));
}

TEST(GdipButton, MissingPicturesLeaveTheGroundShowing) {
    ButtonOnGround on;
    EXPECT_FALSE(on.button.LoadPicture(1));
    EXPECT_TRUE(ColourNear(on.Shot(), kMiddle, kGround)) << "no standard picture";

    ASSERT_TRUE(on.button.LoadPicture(kBluePicture));
    EXPECT_FALSE(on.button.LoadAlternatePicture(1));
    on.button.EnableTwoState(true);
    QTest::mouseClick(&on.button, Qt::LeftButton);
    EXPECT_EQ(on.button.PictureState(), CGdipButton::kAlternateState);
    EXPECT_TRUE(ColourNear(on.Shot(), kMiddle, kGround)) << "missing alternate";

    CGdipButton single;
    single.LoadPicture(kBluePicture);
    single.EnableTwoState(true);
    QTest::mouseClick(&single, Qt::LeftButton);
    EXPECT_EQ(single.PictureState(), CGdipButton::kStandardState) << "no alternate, no flip";
}

} // namespace
