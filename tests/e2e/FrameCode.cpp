#include "FrameCode.h"

#include <QStringList>

#include <cmath>

namespace FrameCode {
namespace {

// A cell's white box leaves this share of the cell black on each side.
constexpr double kInset = 0.2;
// What is read of a cell: its middle, this share of its width and height.
constexpr double kReadShare = 0.3;
constexpr int kDarkBelow = 70;
constexpr int kLightAbove = 180;

QString Bit(int first, int bit) {
    return QStringLiteral("mod(floor((n+%1)/%2),2)").arg(first).arg(1 << bit);
}

QString Cell(int cell, const QString& enable) {
    QString box = QStringLiteral("drawbox=x=iw*%1/%2:y=ih*%3/%4:w=iw*%5/%2:h=ih*%5/%4:"
                                 "color=white:t=fill")
                      .arg(cell + kInset)
                      .arg(kCells)
                      .arg(kBandFraction - 1 + kInset)
                      .arg(kBandFraction)
                      .arg(1 - 2 * kInset);
    if (!enable.isEmpty())
        box += QStringLiteral(":enable='%1'").arg(enable);
    return box;
}

// Mean grey of the middle of one cell, or -1 when it lies outside the image.
int CellGrey(const QImage& image, const QRectF& picture, int cell) {
    const double cellWidth = picture.width() / kCells;
    const double bandHeight = picture.height() / kBandFraction;
    const QRect area(int(std::lround(picture.x() + cellWidth * (cell + 0.5 - kReadShare / 2))),
                     int(std::lround(picture.bottom() - bandHeight * (0.5 + kReadShare / 2))),
                     std::max(1, int(cellWidth * kReadShare)),
                     std::max(1, int(bandHeight * kReadShare)));
    if (!image.rect().contains(area))
        return -1;
    long sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            sum += qGray(line[x]);
    }
    return int(sum / (long(area.width()) * area.height()));
}

} // namespace

QString DrawFilter(int first) {
    QStringList filters{QStringLiteral("drawbox=x=0:y=ih*%1/%2:w=iw:h=ih/%2:color=black:t=fill")
                            .arg(kBandFraction - 1)
                            .arg(kBandFraction),
                        Cell(0, {})};
    QStringList bits;
    for (int bit = kBits - 1; bit >= 0; --bit) {
        filters << Cell(kCells - 2 - bit, QStringLiteral("eq(%1,1)").arg(Bit(first, bit)));
        bits << Bit(first, bit);
    }
    filters << Cell(kCells - 1, QStringLiteral("eq(mod(%1,2),1)").arg(bits.join(u'+')));
    return filters.join(u',');
}

std::optional<int> Read(const QImage& image, const QRectF& picture) {
    bool cells[kCells];
    for (int cell = 0; cell < kCells; ++cell) {
        const int grey = CellGrey(image, picture, cell);
        if (grey < 0 || (grey >= kDarkBelow && grey <= kLightAbove))
            return std::nullopt;
        cells[cell] = grey > kLightAbove;
    }
    if (!cells[0])
        return std::nullopt;
    int number = 0;
    int whites = 0;
    for (int cell = 1; cell < kCells; ++cell) {
        whites += cells[cell];
        if (cell < kCells - 1)
            number = number * 2 + cells[cell];
    }
    if (whites % 2 != 0)
        return std::nullopt;
    return number;
}

} // namespace FrameCode
