#pragma once

#include "library/RecordingCatalogue.h"
#include "playback/CMediaChannel.h"
#include "ui/MapBridge.h"
#include "ui/window/ControlIds.h"
#include "ui/window/SplitterDrag.h"
#include "ui/window/WindowLayout.h"
#include "ui/window/WindowSizes.h"

#include <QPoint>
#include <QWidget>

#include <map>

class CAppSettings;
class CGdipButton;
class CGSensorCtrl;
class CKtcToolTipCtrl;
class CKtrFileListCtrl;
class CKtrGroupListCtrl;
class CMySliderControl;
class CPngCompassStatic;
class CPngStatic;
class CSpeedLabelStatic;
class CStatusBoardStatic;
class CVideoSlider;
class CVideoStatic;
class CVideoStaticBg;

// The main window: borderless and dark, with its own title, grip and picture buttons. It is
// moved by dragging any free spot, resized by the grip, the preset sizes or a double-click,
// and its panes are resized by the three splitters between them.
class CKTRDlg : public QWidget {
    Q_OBJECT
public:
    explicit CKTRDlg(CAppSettings& settings, QWidget* parent = nullptr);
    ~CKTRDlg() override;

    // Catalogues a folder, or the one recording a file path names, and shows the first
    // recording's track in the curve and on the map. False when the path does not exist.
    bool ShowRecordings(const QString& path);

    void LayoutControls();
    void ToggleMaximize();
    void SetPresetSize(WindowPreset preset);

    QWidget* Control(ControlId id) const;
    bool IsMaximized() const { return m_maximize.IsMaximized(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void LoadPictures();
    void SetUpSurfaces();
    void ConnectCommands();
    // Opens the window where the settings file last saw it, before the lists take their
    // column widths from the laid-out size.
    void PlaceFromSettings();
    template <class Control> Control* Add(ControlId id, QRect rect = QRect());
    CGdipButton* AddButton(ControlId id, uint16_t picture, uint16_t alternate = 0);

    QRect MonitorRect() const;
    void ResizeByGrip(const QPoint& point);
    void DragSplitter(const QPoint& point);
    void ShowCursorFor(SurfaceHit hit);
    void MoveBySurface(const QPoint& globalPoint);
    void WriteWindowPosition();

    CAppSettings& m_settings;
    // Members go before the child widgets do, so each player is released while the window it
    // draws into still exists.
    CMediaChannel m_frontChannel;
    CMediaChannel m_rearChannel;
    RecordingCatalogue m_catalogue;
    MapBridge m_map;
    CKtcToolTipCtrl* m_tips = nullptr;
    std::map<ControlId, QWidget*> m_controls;

    CVideoStaticBg* m_frontPanel = nullptr;
    CVideoStaticBg* m_rearPanel = nullptr;
    CVideoStatic* m_frontVideo = nullptr;
    CVideoStatic* m_rearVideo = nullptr;
    CVideoSlider* m_positionSlider = nullptr;
    CMySliderControl* m_volumeSlider = nullptr;
    CGSensorCtrl* m_curve = nullptr;
    CKtrGroupListCtrl* m_groupList = nullptr;
    CKtrFileListCtrl* m_fileList = nullptr;
    CStatusBoardStatic* m_progressBoard = nullptr;
    CPngStatic* m_gpsLamp = nullptr;
    CPngCompassStatic* m_compass = nullptr;
    CSpeedLabelStatic* m_speedReadout = nullptr;
    CPngStatic* m_logo = nullptr;

    PaneSizes m_panes;
    bool m_mapEnabled = true;
    bool m_gsensorEnabled = true;
    WindowLayout m_layout;
    QSize m_laidOutSize;
    MaximizeToggle m_maximize;

    SurfaceHit m_drag = SurfaceHit::None;
    bool m_movePending = false;
    bool m_movingByHand = false;
    QPoint m_pressGlobal;
    QPoint m_pressWindowPos;
};
