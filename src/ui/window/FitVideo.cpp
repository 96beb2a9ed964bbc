#include "ui/window/FitVideo.h"

#include <algorithm>
#include <cstdint>

namespace {

// A panel smaller than the inset leaves an empty surface, never one of negative size.
QRect Inset(const QRect& panel) {
    return QRect(panel.x() + kVideoInset, panel.y() + kVideoInset,
                 std::max(panel.width() - 2 * kVideoInset, 0),
                 std::max(panel.height() - 2 * kVideoInset, 0));
}

} // namespace

VideoSurfaces FitVideo(const QRect& frontPanel, const QRect& rearPanel, const QSize& picture) {
    QRect front = Inset(frontPanel);
    QRect rear = Inset(rearPanel);
    if (picture.width() <= 0 || picture.height() <= 0)
        return {front, rear};

    const int64_t panelWidth = front.width();
    const int64_t panelHeight = front.height();
    const int64_t pictureWidth = picture.width();
    const int64_t pictureHeight = picture.height();
    if (panelHeight * pictureWidth > panelWidth * pictureHeight) {
        const int height = static_cast<int>(panelWidth * pictureHeight / pictureWidth);
        const int offset = static_cast<int>((panelHeight - height) / 2);
        front = QRect(front.x(), front.y() + offset, front.width(), height);
        rear = QRect(rear.x(), rear.y() + offset, rear.width(), height);
    } else if (panelHeight * pictureWidth < panelWidth * pictureHeight) {
        const int width = static_cast<int>(panelHeight * pictureWidth / pictureHeight);
        const int offset = static_cast<int>((panelWidth - width) / 2);
        front = QRect(front.x() + offset, front.y(), width, front.height());
        rear = QRect(rear.x() + offset, rear.y(), width, rear.height());
    }
    return {front, rear};
}
