#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

// The speed read-out: a three-digit number and its unit in glowing text. Double-clicking it
// switches between km/h and MPH; every start shows km/h.
class CSpeedLabelStatic : public QWidget {
    Q_OBJECT
public:
    explicit CSpeedLabelStatic(QWidget* parent = nullptr);

    // When not shown, only the dark ground is drawn.
    void SetSpeed(uint16_t speedKmh, bool shown);
    void ToggleUnit();
    bool IsKmh() const { return m_kmh; }
    // The number and unit as shown, without the padding; empty while not shown.
    QString Text() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void RebuildTexts();

    QString m_number;
    bool m_kmh = true;
    bool m_shown = true;
    uint16_t m_speed = 0;
    QString m_unit;
};
