#pragma once

#include "library/CatalogueViews.h"
#include "library/CopyJob.h"
#include "library/RecordingCatalogue.h"
#include "playback/CMediaChannel.h"
#include "playback/PlaybackController.h"
#include "playback/PlaybackDisplay.h"
#include "ui/MapBridge.h"
#include "ui/PlayerKeys.h"
#include "ui/window/ControlIds.h"
#include "ui/window/SplitterDrag.h"
#include "ui/window/WindowLayout.h"
#include "ui/window/WindowSizes.h"

#include <QPoint>
#include <QString>
#include <QStringList>
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
class KmlButtonMenu;
struct KmlRecording;
class QKeyEvent;
class UnreadableNotice;
class WindowMenu;
class WindowShortcuts;

// What the window's players and map are made with; the defaults are the program's own. Tests
// give the players a silent sound output and the map a folder of pages and a tile server that
// need no network.
struct MainWindowOptions {
    QStringList channelArguments = CMediaChannel::DefaultArguments();
    QString mapPageFolder; // empty: ProgramDataFolder()
    QString mapTileUrl;    // empty: the OpenStreetMap tile servers
};

// The main window: borderless and dark, with its own title, grip and picture buttons. It is
// moved by dragging any free spot, resized by the grip, the preset sizes or a double-click,
// and its panes are resized by the three splitters between them. What plays and when is the
// playback controller's business; the window shows what it is told.
class CKTRDlg : public QWidget, private PlaybackDisplay, private ScanProgressSurface {
    Q_OBJECT
public:
    explicit CKTRDlg(CAppSettings& settings, const MainWindowOptions& options = {},
                     QWidget* parent = nullptr);
    ~CKTRDlg() override;

    // Opens a folder or a recording as OPEN would. False when the path does not exist.
    bool OpenPath(const QString& path) { return m_controller.OpenPath(path); }

    void LayoutControls();
    void ToggleMaximize();
    void SetPresetSize(WindowPreset preset);

    QWidget* Control(ControlId id) const;
    bool IsMaximized() const { return m_maximize.IsMaximized(); }

    PlaybackController& controller() { return m_controller; }
    CMediaChannel& frontChannel() { return m_frontChannel; }
    CMediaChannel& rearChannel() { return m_rearChannel; }
    RecordingCatalogue& catalogue() { return m_catalogue; }
    MapBridge& map() { return m_map; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateControls();
    void LoadPictures();
    void SetUpSurfaces();
    void ConnectCommands();
    void ConnectPlaybackCommands();
    void ConnectFileCommands();
    void ReportChannelsNotLoaded();
    void ToggleMap();
    void ToggleGSensor();
    void SetUpKmlButtonMenu();
    KmlRecording ExportedRecording(int32_t index) const;
    void ExportKml();
    void ExportGpx();
    void ApplyMapChoice();
    void ApplyLanguage();
    // The Conf and about commands and the window menu.
    void SetUpDialogs();
    void RunConfigDialog();
    void RunAboutBox();
    CGdipButton* Button(ControlId id) const;
    // The keys of media players, each doing what a command of the control bar does.
    void SetUpKeys();
    void RunKeyCommand(KeyCommand command);
    // The file commands on the ticked groups.
    void OnUnlock();
    void OnDelete();
    void OnSaveAs();
    void StartCopy(const QString& destination);
    void OnCopyProgress(int percent);
    void OnCopyEnded(const std::vector<FileFailure>& failures);
    void ShowNoSelectionMessage();
    void ShowFailures(const QString& lead, const std::vector<FileFailure>& failures);
    void HideVideoSurfaces();

    // PlaybackDisplay
    bool IsVideoSurfaceShown(VideoChannel channel) const override;
    void ShowVideoSurface(VideoChannel channel, bool shown) override;
    void ClearVideoSurface(VideoChannel channel) override;
    uintptr_t VideoWindowId(VideoChannel channel) const override;
    void FitVideo() override;
    void ShowScanProgress(bool on) override;
    void SetPlayButtonState(int state) override;
    bool IsMuteAsked() const override;
    int PositionSliderValue() const override;
    void SetPositionSlider(int position) override;
    int VolumeSliderValue() const override;
    void SetGpsLamp(bool lit) override;
    void ShowHeadingAndSpeed(uint8_t headingHalfDeg, uint16_t speedKmh) override;
    void ShowNoFix() override;
    void ShowNoTrack(bool firstTime) override;
    void MoveMapMarker(double latitudeDivided100, double longitudeDivided100) override;
    bool HasCurve() const override;
    void MoveCurveCursor(double lengthMs, int32_t timeMs) override;
    void SetCurveCursor(int32_t timeMs) override;
    void SetCurveStopped(bool stopped) override;
    void ShowPlayerError() override;
    void ShowNoFilesMessage() override;
    // ScanProgressSurface
    void SetCounter(int32_t filesExamined) override;
    void RepaintNow() override;
    void ShowUnreadable(const std::vector<UnreadableRecording>& files) override;
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
    // After the channels and the catalogue, so that it is destroyed first: it detaches
    // itself from the channels.
    PlaybackController m_controller;
    // Destroyed before the widgets it reports to; its destruction cancels a running copy.
    CopyJob m_copyJob{[this](int percent) { OnCopyProgress(percent); },
                      [this](const std::vector<FileFailure>& failures) { OnCopyEnded(failures); }};
    CKtcToolTipCtrl* m_tips = nullptr;
    WindowMenu* m_windowMenu = nullptr;
    WindowShortcuts* m_keys = nullptr;
    KmlButtonMenu* m_kmlMenu = nullptr;
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
    UnreadableNotice* m_unreadableNotice = nullptr;

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
