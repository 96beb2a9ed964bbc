#include "ui/controls/CMySliderControl.h"
#include "ui/controls/CVideoSlider.h"
#include "playback/WindowMessages.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Stands in for the main window: counts the private messages it is sent and notes the
// slider's value at each, as the window reads it when it handles one.
class MessageLog : public QWidget {
public:
    QList<int> valuesAt(QEvent::Type type) const {
        return type == m_type ? m_values : QList<int>();
    }
    void Watch(QEvent::Type type, const QAbstractSlider* slider) {
        m_type = type;
        m_slider = slider;
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() == m_type) {
            const auto* message = static_cast<KtrMessageEvent*>(event);
            EXPECT_EQ(message->wParam(), 0);
            EXPECT_EQ(message->lParam(), 0);
            m_values.append(m_slider->value());
            return true;
        }
        return QWidget::event(event);
    }

private:
    QEvent::Type m_type = QEvent::None;
    const QAbstractSlider* m_slider = nullptr;
    QList<int> m_values;
};

void SendMouse(QWidget& widget, QEvent::Type type, int x) {
    const QPointF at(x, widget.height() / 2);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

struct SliderCase {
    const char* name;
    std::function<std::unique_ptr<CSkinnedSlider>(QWidget*)> make;
    QEvent::Type message;
    int maximum;
    // Whether the release takes the position of its own x.
    bool releaseSetsPosition;
};

const SliderCase kSliders[] = {
    {"volume", [](QWidget* p) { return std::make_unique<CMySliderControl>(p); },
     WM_KTR_VOLUME_CHANGED, 100, false},
    {"position", [](QWidget* p) { return std::make_unique<CVideoSlider>(p); }, WM_KTR_SEEK, 1000,
     true},
};

TEST(SkinnedSlider, TakesThePositionFromXAndTellsTheWindow) {
    for (const SliderCase& c : kSliders) {
        SCOPED_TRACE(c.name);
        MessageLog window;
        window.resize(300, 60);
        std::unique_ptr<CSkinnedSlider> slider = c.make(&window);
        slider->setGeometry(20, 10, 220, 24);
        window.Watch(c.message, slider.get());
        window.show();
        const QRect channel = slider->ChannelRect();
        EXPECT_EQ(slider->PositionFromX(channel.left()), 0);
        EXPECT_EQ(slider->PositionFromX(channel.left() + channel.width() / 4), c.maximum / 4);
        EXPECT_EQ(slider->PositionFromX(channel.right() + 30), c.maximum) << "clamped";
        EXPECT_EQ(slider->PositionFromX(-5), 0) << "clamped";

        const int quarter = channel.left() + channel.width() / 4;
        const int half = channel.left() + channel.width() / 2;
        SendMouse(*slider, QEvent::MouseButtonPress, quarter);
        EXPECT_EQ(slider->value(), c.maximum / 4);
        EXPECT_TRUE(window.valuesAt(c.message).isEmpty()) << "a press alone sends nothing";
        SendMouse(*slider, QEvent::MouseMove, half);
        SendMouse(*slider, QEvent::MouseMove, channel.right() + 1);
        SendMouse(*slider, QEvent::MouseButtonRelease, half);
        const int atRelease = c.releaseSetsPosition ? c.maximum / 2 : c.maximum;
        EXPECT_EQ(window.valuesAt(c.message), QList<int>({c.maximum / 2, c.maximum, atRelease}));

        SendMouse(*slider, QEvent::MouseMove, quarter);
        EXPECT_EQ(window.valuesAt(c.message).size(), 3) << "no drag after the release";

        const int middle = c.maximum / 2;
        slider->setValue(middle);
        slider->setFocus();
        QTest::keyClick(slider.get(), Qt::Key_Right);
        QTest::keyClick(slider.get(), Qt::Key_PageUp);
        EXPECT_EQ(window.valuesAt(c.message).mid(3),
                  QList<int>({middle + 1, middle + 1 + c.maximum / 5}))
            << "keys move it as a drag does";
    }
}

TEST(SkinnedSlider, ScreenReadersSeeASliderWithItsValue) {
    for (const SliderCase& c : kSliders) {
        SCOPED_TRACE(c.name);
        QWidget window;
        std::unique_ptr<CSkinnedSlider> slider = c.make(&window);
        slider->setAccessibleName(QStringLiteral("Volume"));
        slider->setValue(c.maximum / 2);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(slider.get());
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), QAccessible::Slider);
        EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Volume"));
        QAccessibleValueInterface* value = accessible->valueInterface();
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->currentValue().toInt(), c.maximum / 2);
        EXPECT_EQ(value->maximumValue().toInt(), c.maximum);
    }
}

} // namespace
