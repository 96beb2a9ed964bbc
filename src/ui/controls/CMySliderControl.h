#pragma once

#include "ui/controls/CSkinnedSlider.h"

// The volume slider, 0 to 100, with a red thumb over a sunken channel.
class CMySliderControl : public CSkinnedSlider {
    Q_OBJECT
public:
    static constexpr int kMaximum = 100;

    explicit CMySliderControl(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
