#include "WindowFrameCodes.h"

#include "FrameCode.h"
#include "ui/window/CKTRDlg.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <algorithm>

namespace {

// Where the video picture lies in a surface: fitted with its aspect ratio and centred.
QRectF PictureIn(const QRect& surface, QSize picture) {
    const double scale = std::min(double(surface.width()) / picture.width(),
                                  double(surface.height()) / picture.height());
    const QSizeF size(picture.width() * scale, picture.height() * scale);
    return QRectF(surface.x() + (surface.width() - size.width()) / 2,
                  surface.y() + (surface.height() - size.height()) / 2, size.width(),
                  size.height());
}

QRect OnScreen(const QWidget* widget) {
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

} // namespace

WindowFrameCodes::WindowFrameCodes(const CKTRDlg& window, QSize picture) {
    const QRect front = OnScreen(window.Control(ControlId::FrontVideo));
    const QRect rear = OnScreen(window.Control(ControlId::RearVideo));
    m_grabArea = front.united(rear);
    m_frontPicture = PictureIn(front.translated(-m_grabArea.topLeft()), picture);
    m_rearPicture = PictureIn(rear.translated(-m_grabArea.topLeft()), picture);
    m_frontSurface = front.size();
    m_rearSurface = rear.size();
}

WindowFrameCodes::Sample WindowFrameCodes::Take() const {
    Sample sample;
    sample.shot =
        QGuiApplication::primaryScreen()
            ->grabWindow(0, m_grabArea.x(), m_grabArea.y(), m_grabArea.width(), m_grabArea.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    sample.front = FrameCode::Read(sample.shot, m_frontPicture);
    sample.rear = FrameCode::Read(sample.shot, m_rearPicture);
    return sample;
}
