#pragma once

#include <QRasterWindow>

// The native window inside a video surface: it paints the surface's own ground and counter;
// a media channel draws over it.
class CVideoSurfaceWindow : public QRasterWindow {
    Q_OBJECT
public:
    void ShowCounter(bool on);
    void SetCounter(int counter);
    bool IsCounterShown() const { return m_counterShown; }
    int Counter() const { return m_counter; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Presses on the surface do nothing.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_counterShown = false;
    int m_counter = 0;
};
