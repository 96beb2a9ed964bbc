#include "ui/controls/CStatusBoardStatic.h"

#include "ui/art/CGdiPlusBitmapResource.h"
#include "ui/controls/StatusBoardProgress.h"

#include <QPainter>
#include <qdrawutil.h>

namespace {

// The pattern is drawn at its own size and tiled, so the bands keep their height; a plain
// gradient gains nothing from more pixels.
QBrush PatternBrush(uint16_t id) {
    CGdiPlusBitmapResource picture;
    if (!picture.LoadFromResource(id))
        return QBrush();
    const QImage tile = picture.Render(picture.Size());
    return tile.isNull() ? QBrush() : QBrush(tile);
}

} // namespace

CStatusBoardStatic::CStatusBoardStatic(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CStatusBoardStatic::SetPatternBitmap(uint16_t id) {
    m_patternBitmap = id;
    update();
}

void CStatusBoardStatic::SetProgress(int percent, const QString& valueText) {
    m_percent = percent;
    m_valueText = valueText;
    repaint();
}

void CStatusBoardStatic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect whole = rect();
    const int split = ProgressSplit(whole.left(), whole.left() + whole.width(), m_percent);
    const QRect filled(whole.left(), whole.top(), split - whole.left(), whole.height());
    const QRect rest(split, whole.top(), whole.left() + whole.width() - split, whole.height());

    if (m_patternBitmap == 0)
        painter.fillRect(filled, m_fillColour);
    else
        painter.fillRect(filled, PatternBrush(m_patternBitmap));
    painter.fillRect(rest, m_restColour);

    painter.setPen(m_valueColour);
    painter.drawText(whole, Qt::AlignCenter | Qt::TextSingleLine, m_valueText);
    qDrawWinPanel(&painter, whole, palette(), false);
}
