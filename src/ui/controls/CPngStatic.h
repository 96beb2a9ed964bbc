#pragma once

#include "ui/art/CGdiPlusBitmapResource.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <memory>

// A picture shown in colour when lit and in grey when not, such as the GPS lamp.
class CPngStatic : public QWidget {
    Q_OBJECT
public:
    explicit CPngStatic(QWidget* parent = nullptr);
    ~CPngStatic() override;

    bool LoadPicture(uint16_t id);
    void SetLit(bool lit);
    bool IsLit() const { return m_lit; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<CGdiPlusBitmapResource> m_picture;
    bool m_lit = false;
    QImage m_rendered;
};
