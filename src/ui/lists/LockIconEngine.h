#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QImage>

#include <memory>
#include <vector>

class CGdiPlusBitmapResource;

// One square of the lock strip (lock state 0 to 3) as an icon. It is drawn from the artwork
// at the size and pixel ratio of the painter it is given, so rows stay crisp on any screen.
class LockIconEngine : public QIconEngine {
public:
    static constexpr int kLockStates = 4;

    // The icons of the four lock states in state order; empty when the artwork is missing.
    static std::vector<QIcon> LockIcons();

    LockIconEngine(std::shared_ptr<const CGdiPlusBitmapResource> strip, int state);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;

private:
    // The square of m_state at size, cached for the last size and ratio asked for.
    const QImage& Square(const QSize& size, qreal ratio);

    std::shared_ptr<const CGdiPlusBitmapResource> m_strip;
    int m_state;
    QImage m_square;
};
