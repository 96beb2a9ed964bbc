#pragma once

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QSize>

#include <optional>

class CKTRDlg;

// Reads the frame numbers that the front and the rear picture of the main window show at one
// instant: one X screenshot of the rectangle over both video surfaces.
class WindowFrameCodes {
public:
    struct Sample {
        std::optional<int> front;
        std::optional<int> rear;
        QImage shot;
        bool readable() const { return front && rear; }
        int frontMinusRear() const { return *front - *rear; }
    };

    // Takes the surfaces where they are now; `picture` is the recordings' picture size.
    WindowFrameCodes(const CKTRDlg& window, QSize picture);

    Sample Take() const;
    QSize frontSurface() const { return m_frontSurface; }
    QSize rearSurface() const { return m_rearSurface; }
    QSizeF pictureOnScreen() const { return m_frontPicture.size(); }

private:
    QRect m_grabArea;
    QRectF m_frontPicture;
    QRectF m_rearPicture;
    QSize m_frontSurface;
    QSize m_rearSurface;
};
