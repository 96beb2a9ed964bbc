#pragma once

#include "ui/art/CGdiPlusBitmapResource.h"

#include <QAbstractButton>
#include <QImage>

#include <array>
#include <cstdint>
#include <memory>

// A button drawn as a picture: standard, pressed (one pixel right and down), hot while the
// mouse is over it, grey when its picture state is 2, and an alternate picture set for
// two-state buttons (PLAY, Loop, Vol) that flip between their pictures on each press.
class CGdipButton : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int kStandardState = 0;
    static constexpr int kAlternateState = 1;
    static constexpr int kDisabledState = 2;

    explicit CGdipButton(QWidget* parent = nullptr);
    ~CGdipButton() override;

    bool LoadPicture(uint16_t id);
    // The alternate states stay in use even when the picture is missing; they then show only
    // what lies under the button.
    bool LoadAlternatePicture(uint16_t id);
    // Takes effect only once an alternate picture was asked for.
    void EnableTwoState(bool on);
    void SetPictureState(int state);
    int PictureState() const { return m_pictureState; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    enum Look {
        Standard,
        StandardPressed,
        StandardHot,
        Alternate,
        AlternatePressed,
        AlternateHot,
        Grey,
        kLookCount
    };

    void FlipOnPress();
    void RenderLooks(qreal devicePixelRatio);
    Look CurrentLook() const;

    bool m_hasAlternate = false;
    bool m_disabled = false;
    bool m_twoState = false;
    bool m_hovering = false;
    int m_pictureState = kStandardState;
    std::unique_ptr<CGdiPlusBitmapResource> m_standardPicture;
    std::unique_ptr<CGdiPlusBitmapResource> m_alternatePicture;
    std::array<QImage, kLookCount> m_looks;
    QSize m_looksSize;
    qreal m_looksRatio = 0;
};
