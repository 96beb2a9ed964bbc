#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

#include <optional>

// A frame number drawn on the picture as a row of cells on a black band across its bottom
// (the window's speed label covers the top left of the video): a white cell at the left marks
// the band, the next cells are the number's bits from the highest, and the last makes the
// count of white cells among the bits and itself even. Cells are inset so that scaling does
// not blur neighbours into each other.
namespace FrameCode {

inline constexpr int kCells = 16;
inline constexpr int kBits = kCells - 2;
inline constexpr int kBandFraction = 8; // the band is the picture's last 1/8 of height

// ffmpeg filters that draw the code of (first + frame index) on every frame.
QString DrawFilter(int first);

// The number whose code is shown in the picture that fills `picture` of `image`, or nothing
// when a cell is neither clearly black nor clearly white, the marker is missing or the parity
// does not hold.
std::optional<int> Read(const QImage& image, const QRectF& picture);

} // namespace FrameCode
