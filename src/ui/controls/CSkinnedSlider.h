#pragma once

#include <QAbstractSlider>
#include <QColor>
#include <QEvent>
#include <QRect>

// What the volume and the position slider share: a horizontal slider that draws an elliptic
// thumb over a channel, takes its position straight from the mouse's x and tells its window
// about every change the user makes with one private message.
class CSkinnedSlider : public QAbstractSlider {
    Q_OBJECT
public:
    // The channel: the width the thumb's centre travels, a few pixels tall, centred.
    QRect ChannelRect() const;
    QRect ThumbRect() const;
    // The value under x; outside the channel it is clamped to the range.
    int PositionFromX(int x) const;
    // Moves the thumb by amount as the keys do, and tells the window.
    void StepBy(int amount);

protected:
    CSkinnedSlider(QEvent::Type message, int maximum, QColor thumb, QColor pressedThumb,
                   QWidget* parent);

    void SetPositionFromX(int x);
    // Sent, not posted: the window reads the slider's value when it handles the message.
    void NotifyWindow();
    void DrawThumb(QPainter& painter) const;
    // The sunken edge of the platform's trackbar channel, drawn inside rect.
    static void DrawSunkenEdge(QPainter& painter, const QRect& rect);

    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

    bool m_dragging = false;

private:
    QEvent::Type m_message;
    QColor m_thumbColor;
    QColor m_pressedThumbColor;
};
