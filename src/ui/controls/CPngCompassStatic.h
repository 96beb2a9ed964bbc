#pragma once

#include "ui/art/CGdiPlusBitmapResource.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

// The compass: one of several dials, turned so that the direction of travel points up, or
// the first dial in grey when there is no heading (index 0).
class CPngCompassStatic : public QWidget {
    Q_OBJECT
public:
    explicit CPngCompassStatic(QWidget* parent = nullptr);
    ~CPngCompassStatic() override;

    // False, adding nothing, when the artwork has no such picture.
    bool AddImage(uint16_t id);
    // Index k from 1 to the image count shows image k - 1. An index above the count is
    // refused and the picture shown stays.
    bool SetImageIndex(unsigned index);
    unsigned ImageIndex() const { return m_index; }
    int ImageCount() const { return static_cast<int>(m_images.size()); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    unsigned m_index = 0;
    std::vector<std::unique_ptr<CGdiPlusBitmapResource>> m_images;
};
