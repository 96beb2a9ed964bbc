#include "ui/controls/ColorMatrix.h"

#include <QColor>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHotScale = 1.05;
constexpr double kHotOffset = 0.05 * 255;
constexpr double kGreyRed = 0.3;
constexpr double kGreyGreen = 0.59;
constexpr double kGreyBlue = 0.11;

int Channel(double value) {
    return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

// The matrix works on colours as they are, not on colours multiplied by their alpha, so the
// picture is unpremultiplied first and returned in the format it came in.
template <typename Transform> QImage MapPixels(const QImage& picture, Transform transform) {
    if (picture.isNull())
        return {};
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = transform(line[x]);
    }
    return image.convertToFormat(picture.format());
}

} // namespace

QImage ApplyHotMatrix(const QImage& picture) {
    return MapPixels(picture, [](QRgb pixel) {
        const auto hot = [](int channel) { return Channel(channel * kHotScale + kHotOffset); };
        return qRgba(hot(qRed(pixel)), hot(qGreen(pixel)), hot(qBlue(pixel)), qAlpha(pixel));
    });
}

QImage ApplyGreyMatrix(const QImage& picture) {
    return MapPixels(picture, [](QRgb pixel) {
        const int grey =
            Channel(kGreyRed * qRed(pixel) + kGreyGreen * qGreen(pixel) + kGreyBlue * qBlue(pixel));
        return qRgba(grey, grey, grey, qAlpha(pixel));
    });
}
