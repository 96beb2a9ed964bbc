#pragma once

#include "ui/controls/CSkinnedSlider.h"

// The position slider, 0 to 1000 over the playing file, with a green thumb on black. A press
// only moves the thumb; the window hears of it on every drag move and on the release.
class CVideoSlider : public CSkinnedSlider {
    Q_OBJECT
public:
    static constexpr int kMaximum = 1000;

    explicit CVideoSlider(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
