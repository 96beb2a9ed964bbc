#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>
#include <memory>

class QSvgRenderer;

// One picture of the program's artwork. Pictures are kept as vector drawings (":/art/<id>.svg"
// in the resources) and drawn at the size and pixel ratio they are shown at, so they stay
// crisp on any screen.
class CGdiPlusBitmapResource {
public:
    CGdiPlusBitmapResource();
    ~CGdiPlusBitmapResource();
    CGdiPlusBitmapResource(const CGdiPlusBitmapResource&) = delete;
    CGdiPlusBitmapResource& operator=(const CGdiPlusBitmapResource&) = delete;

    // False, leaving the holder empty, when the artwork has no valid picture of that id.
    bool LoadFromResource(uint16_t id);
    bool IsLoaded() const { return m_renderer != nullptr; }
    // The picture's own size in pixels; empty when nothing is loaded.
    QSize Size() const;
    // The whole picture scaled to size (device-independent pixels) on a transparent ground;
    // a null image when nothing is loaded or size is empty.
    QImage Render(const QSize& size, qreal devicePixelRatio = 1.0) const;

private:
    std::unique_ptr<QSvgRenderer> m_renderer;
};
