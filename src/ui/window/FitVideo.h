#pragma once

#include <QRect>
#include <QSize>

// Where the two video surfaces go inside their panels.
struct VideoSurfaces {
    QRect front;
    QRect rear;
};

// The surfaces keep this gap to every side of their panel: the width of a sunken edge.
constexpr int kVideoInset = 2;

// Fits the picture inside the front panel with its aspect ratio, centred on the short side;
// the rear surface gets the same offset and size, so both channels show the same shape even
// though the rear panel is wider. A picture without a width or a height has no shape to keep:
// the surfaces then fill their panels.
VideoSurfaces FitVideo(const QRect& frontPanel, const QRect& rearPanel, const QSize& picture);
