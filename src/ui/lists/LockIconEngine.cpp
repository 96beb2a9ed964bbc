#include "ui/lists/LockIconEngine.h"

#include "ui/art/CGdiPlusBitmapResource.h"

#include <QPainter>

namespace {

constexpr uint16_t kLockStrip = 158;

} // namespace

std::vector<QIcon> LockIconEngine::LockIcons() {
    auto strip = std::make_shared<CGdiPlusBitmapResource>();
    if (!strip->LoadFromResource(kLockStrip))
        return {};
    std::vector<QIcon> icons;
    for (int state = 0; state < kLockStates; ++state)
        icons.emplace_back(new LockIconEngine(strip, state));
    return icons;
}

LockIconEngine::LockIconEngine(std::shared_ptr<const CGdiPlusBitmapResource> strip, int state)
    : m_strip(std::move(strip)), m_state(state) {}

void LockIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) {
    if (rect.isEmpty())
        return;
    painter->drawImage(rect, Square(rect.size(), painter->device()->devicePixelRatioF()));
}

QIconEngine* LockIconEngine::clone() const {
    return new LockIconEngine(m_strip, m_state);
}

const QImage& LockIconEngine::Square(const QSize& size, qreal ratio) {
    if (!m_square.isNull() && m_square.deviceIndependentSize() == QSizeF(size) &&
        m_square.devicePixelRatio() == ratio)
        return m_square;
    const QImage strip = m_strip->Render(QSize(kLockStates * size.width(), size.height()), ratio);
    const int side = strip.width() / kLockStates;
    m_square = strip.copy(m_state * side, 0, side, strip.height());
    m_square.setDevicePixelRatio(ratio);
    return m_square;
}
