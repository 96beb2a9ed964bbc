#pragma once

#include <QWidget>

// The panel behind a video surface. It paints nothing, so the window's dark ground shows when
// the surface is hidden; double-clicks on it do nothing.
class CVideoStaticBg : public QWidget {
    Q_OBJECT
public:
    explicit CVideoStaticBg(QWidget* parent = nullptr);

    void SetVideoHidden(bool hidden) { m_videoHidden = hidden; }
    bool IsVideoHidden() const { return m_videoHidden; }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_videoHidden = true;
};
