#pragma once

#include <QWidget>

class CVideoSurfaceWindow;

// Where a media channel shows its video. The channel draws into a native window of its own
// (NativeWindowId); between recordings and while a folder is scanned the surface is dark, with
// the scan counter when it is shown. The media framework leaves its last picture behind when
// it stops, so whoever stops or recreates a channel calls Repaint.
class CVideoStatic : public QWidget {
    Q_OBJECT
public:
    explicit CVideoStatic(QWidget* parent = nullptr);
    ~CVideoStatic() override;

    void ShowCounter(bool on);
    void SetCounter(int counter);
    bool IsCounterShown() const;
    int Counter() const;
    // Paints the dark surface (and the counter) over whatever was last drawn there, now.
    void Repaint();
    // The id of the native window the channel draws into; creates that window if needed.
    WId NativeWindowId() const;

private:
    CVideoSurfaceWindow* m_surface;
};
