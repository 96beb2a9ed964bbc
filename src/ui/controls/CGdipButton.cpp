#include "ui/controls/CGdipButton.h"

#include "ui/controls/ColorMatrix.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr QPoint kPressedShift(1, 1);

QImage Shifted(const QImage& picture, QPoint shift) {
    QImage image(picture.size(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(picture.devicePixelRatio());
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.drawImage(shift, picture);
    return image;
}

} // namespace

CGdipButton::CGdipButton(QWidget* parent) : QAbstractButton(parent) {
    // Whatever the parent paints shows through the picture's transparent parts.
    setAttribute(Qt::WA_NoSystemBackground);
    connect(this, &QAbstractButton::pressed, this, &CGdipButton::FlipOnPress);
}

CGdipButton::~CGdipButton() = default;

bool CGdipButton::LoadPicture(uint16_t id) {
    m_standardPicture = std::make_unique<CGdiPlusBitmapResource>();
    m_looksSize = QSize();
    update();
    return m_standardPicture->LoadFromResource(id);
}

bool CGdipButton::LoadAlternatePicture(uint16_t id) {
    m_hasAlternate = true;
    m_alternatePicture = std::make_unique<CGdiPlusBitmapResource>();
    m_looksSize = QSize();
    update();
    return m_alternatePicture->LoadFromResource(id);
}

void CGdipButton::EnableTwoState(bool on) {
    if (m_hasAlternate)
        m_twoState = on;
}

void CGdipButton::SetPictureState(int state) {
    m_pictureState = state;
    m_disabled = state == kDisabledState;
    update();
}

QSize CGdipButton::sizeHint() const {
    return m_standardPicture ? m_standardPicture->Size() : QSize();
}

// Flipping once per press, rather than each time the pressed button is drawn, keeps a repaint
// while the button is held from flipping it back.
void CGdipButton::FlipOnPress() {
    if (!m_twoState || m_disabled)
        return;
    m_pictureState = m_pictureState == kAlternateState ? kStandardState : kAlternateState;
    update();
}

void CGdipButton::RenderLooks(qreal devicePixelRatio) {
    m_looks = {};
    m_looksSize = size();
    m_looksRatio = devicePixelRatio;
    const auto renderSet = [&](const CGdiPlusBitmapResource* picture, Look plain, Look pressed,
                               Look hot) {
        if (!picture)
            return;
        const QImage image = picture->Render(size(), devicePixelRatio);
        if (image.isNull())
            return;
        m_looks[plain] = image;
        m_looks[pressed] = Shifted(image, kPressedShift);
        m_looks[hot] = ApplyHotMatrix(image);
    };
    renderSet(m_standardPicture.get(), Standard, StandardPressed, StandardHot);
    m_looks[Grey] = ApplyGreyMatrix(m_looks[Standard]);
    if (m_hasAlternate)
        renderSet(m_alternatePicture.get(), Alternate, AlternatePressed, AlternateHot);
}

CGdipButton::Look CGdipButton::CurrentLook() const {
    if (m_disabled || !isEnabled())
        return Grey;
    const bool alternate = m_pictureState == kAlternateState;
    if (isDown())
        return alternate ? AlternatePressed : StandardPressed;
    if (m_hovering)
        return alternate ? AlternateHot : StandardHot;
    return alternate ? Alternate : Standard;
}

void CGdipButton::paintEvent(QPaintEvent*) {
    if (!m_standardPicture || !m_standardPicture->IsLoaded())
        return;
    const qreal ratio = devicePixelRatioF();
    if (m_looksSize != size() || m_looksRatio != ratio)
        RenderLooks(ratio);
    const QImage& look = m_looks[CurrentLook()];
    if (look.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), look);
}

void CGdipButton::enterEvent(QEnterEvent* event) {
    m_hovering = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CGdipButton::leaveEvent(QEvent* event) {
    m_hovering = false;
    update();
    QAbstractButton::leaveEvent(event);
}

// The second click of a double-click already arrived as a press of its own; taking the
// double-click as one more press would flip a two-state button a third time.
void CGdipButton::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}
