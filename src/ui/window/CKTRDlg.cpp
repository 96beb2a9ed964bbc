#include "ui/window/CKTRDlg.h"

#include "app/CAppSettings.h"
#include "ui/CGSensorCtrl.h"
#include "ui/controls/ApplyTooltipTexts.h"
#include "ui/controls/CGdipButton.h"
#include "ui/controls/CKtcToolTipCtrl.h"
#include "ui/controls/CMySliderControl.h"
#include "ui/controls/CPngCompassStatic.h"
#include "ui/controls/CPngStatic.h"
#include "ui/controls/CSpeedLabelStatic.h"
#include "ui/controls/CStatusBoardStatic.h"
#include "ui/controls/CVideoSlider.h"
#include "ui/controls/CVideoStatic.h"
#include "ui/controls/CVideoStaticBg.h"
#include "ui/controls/ReadoutAccessible.h"
#include "ui/controls/WindowGround.h"
#include "ui/lists/CKtrFileListCtrl.h"
#include "ui/lists/CKtrGroupListCtrl.h"
#include "ui/window/UnreadableNotice.h"
#include "ui/window/WindowPlacement.h"
#include "ui/window/WindowShape.h"

#include <QCloseEvent>
#include <QScreen>
#include <QWebEngineView>

namespace {

const QString kTitle = QStringLiteral("Kestrola");
constexpr uint16_t kWindowIcon = 128;
constexpr int kInitialVolume = 50;
constexpr uint16_t kFirstCompassDial = 167;
constexpr uint16_t kLastCompassDial = 174;
constexpr QSize kCompassSize(32, 32);
constexpr uint16_t kGpsLampPicture = 150;
constexpr uint16_t kLogoPicture = 157;
constexpr QRect kLogoRect(8, 4, 40, 40);
constexpr uint16_t kProgressPattern = 189;

// The read-outs at the top keep the places the window was designed with, in units of the
// 8-point dialog font: a quarter of its average character width across and an eighth of its
// height down.
QRect FromDialogUnits(int x, int y, int width, int height) {
    const auto across = [](int units) { return (units * 3 + 1) / 2; };
    const auto down = [](int units) { return (units * 13 + 4) / 8; };
    return QRect(across(x), down(y), across(width), down(height));
}

const QRect kGpsLampRect = FromDialogUnits(232, 7, 19, 16);
const QRect kCompassRect = FromDialogUnits(281, 5, 24, 21);
const QRect kSpeedReadoutRect = FromDialogUnits(337, 0, 60, 21);
const QRect kCurveRect = FromDialogUnits(7, 252, 386, 44);

} // namespace

CKTRDlg::CKTRDlg(CAppSettings& settings, const MainWindowOptions& options, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_settings(settings),
      m_frontChannel(options.channelArguments), m_rearChannel(options.channelArguments),
      m_map(options.mapPageFolder, options.mapTileUrl),
      m_controller(m_frontChannel, m_rearChannel, m_catalogue, *this) {
    setWindowTitle(kTitle);
    CGdiPlusBitmapResource icon;
    if (icon.LoadFromResource(kWindowIcon))
        setWindowIcon(QPixmap::fromImage(icon.Render(icon.Size())));
    QPalette ground = palette();
    ground.setColor(QPalette::Window, kWindowGround);
    setPalette(ground);
    setMouseTracking(true);
    InstallReadoutAccessibility();

    m_mapEnabled = m_settings.ReadInt(SettingsKeys::kMapEnable) != 0;
    m_gsensorEnabled = m_settings.ReadInt(SettingsKeys::kGSensorEnable) != 0;
    CreateControls();
    LoadPictures();
    SetUpSurfaces();
    ConnectCommands();
    ConnectPlaybackCommands();
    SetUpDialogs();
    ConnectFileCommands();
    SetUpKeys();
    setAcceptDrops(true);

    PlaceFromSettings();
    LayoutControls();
    m_progressBoard->SetPatternBitmap(kProgressPattern);
    m_tips = new CKtcToolTipCtrl(this);
    ApplyTooltipTexts(*this, *m_tips, m_settings.languageId());
    m_groupList->Setup(m_settings);
    m_fileList->Setup(m_settings);

    m_catalogue.SetGroupList(m_groupList);
    m_catalogue.SetFileList(m_fileList);
    m_catalogue.SetCurve(&m_curve->trace());
    m_catalogue.SetMap(&m_map);
    m_unreadableNotice = new UnreadableNotice(m_settings, this);
    m_catalogue.SetProgress(this);
    m_controller.SetMapEnabled(m_mapEnabled);
    m_controller.SetGSensorEnabled(m_gsensorEnabled);
    m_controller.StartClock();
}

CKTRDlg::~CKTRDlg() = default;

template <class Control> Control* CKTRDlg::Add(ControlId id, QRect rect) {
    auto* control = new Control(this);
    control->setObjectName(QString::number(static_cast<int>(id)));
    if (!rect.isNull())
        control->setGeometry(rect);
    m_controls[id] = control;
    return control;
}

CGdipButton* CKTRDlg::AddButton(ControlId id, uint16_t picture, uint16_t alternate) {
    auto* button = Add<CGdipButton>(id);
    button->LoadPicture(picture);
    if (alternate != 0) {
        button->LoadAlternatePicture(alternate);
        button->EnableTwoState(true);
    }
    return button;
}

void CKTRDlg::CreateControls() {
    m_frontPanel = Add<CVideoStaticBg>(ControlId::FrontPanel);
    m_rearPanel = Add<CVideoStaticBg>(ControlId::RearPanel);
    m_frontVideo = Add<CVideoStatic>(ControlId::FrontVideo);
    m_rearVideo = Add<CVideoStatic>(ControlId::RearVideo);
    m_positionSlider = Add<CVideoSlider>(ControlId::PositionSlider);
    // No string of the language tables names these three; screen readers still need a name.
    m_positionSlider->setAccessibleName(QStringLiteral("Position"));
    m_curve = Add<CGSensorCtrl>(ControlId::GSensorCurve, kCurveRect);
    m_curve->setVisible(m_gsensorEnabled);
    m_groupList = Add<CKtrGroupListCtrl>(ControlId::GroupList);
    m_fileList = Add<CKtrFileListCtrl>(ControlId::FileList);
    m_progressBoard = Add<CStatusBoardStatic>(ControlId::ProgressBoard);
    m_progressBoard->setAccessibleName(QStringLiteral("Progress"));
    m_progressBoard->hide();
    m_gpsLamp = Add<CPngStatic>(ControlId::GpsLamp, kGpsLampRect);
    m_gpsLamp->setAccessibleName(QStringLiteral("GPS"));
    m_compass =
        Add<CPngCompassStatic>(ControlId::Compass, QRect(kCompassRect.topLeft(), kCompassSize));
    m_compass->setAccessibleName(QStringLiteral("Compass"));
    m_speedReadout = Add<CSpeedLabelStatic>(ControlId::SpeedReadout, kSpeedReadoutRect);
    m_logo = Add<CPngStatic>(ControlId::Logo, kLogoRect);
    m_logo->hide();
    m_volumeSlider = Add<CMySliderControl>(ControlId::VolumeSlider);
    m_volumeSlider->setValue(kInitialVolume);
}

void CKTRDlg::LoadPictures() {
    AddButton(ControlId::OpenButton, 139);
    AddButton(ControlId::SnapButton, 140);
    AddButton(ControlId::SaveButton, 141);
    AddButton(ControlId::DeleteButton, 142);
    AddButton(ControlId::ConfigButton, 138);
    AddButton(ControlId::SlowButton, 137);
    AddButton(ControlId::StopButton, 133);
    AddButton(ControlId::PlayButton, 129, 132)->setShortcut(Qt::Key_Return);
    AddButton(ControlId::FastButton, 136);
    AddButton(ControlId::SoundButton, 156, 155);
    AddButton(ControlId::LoopButton, 143, 176);
    AddButton(ControlId::KmlButton, 145);
    AddButton(ControlId::MapButton, 146);
    AddButton(ControlId::GSensorButton, 147);
    AddButton(ControlId::LockButton, 148);
    AddButton(ControlId::SmallSizeButton, 1045);
    AddButton(ControlId::MediumSizeButton, 187);
    AddButton(ControlId::LargeSizeButton, 188);
    AddButton(ControlId::AboutButton, 154)->hide();
    AddButton(ControlId::MinimizeButton, 153);
    AddButton(ControlId::MaximizeButton, 152);
    AddButton(ControlId::CloseButton, 151);
    CGdipButton* flip = Add<CGdipButton>(ControlId::FlipButton);
    flip->setEnabled(false);
    flip->hide();

    for (uint16_t dial = kFirstCompassDial; dial <= kLastCompassDial; ++dial)
        m_compass->AddImage(dial);
    m_compass->SetImageIndex(0);
    m_gpsLamp->LoadPicture(kGpsLampPicture);
    m_gpsLamp->SetLit(false);
    m_speedReadout->SetSpeed(0, true);
    m_logo->LoadPicture(kLogoPicture);
    m_logo->SetLit(true);
}

void CKTRDlg::SetUpSurfaces() {
    m_controller.AttachChannels();
    ReportChannelsNotLoaded();
    // Shown when a recording starts.
    m_frontVideo->hide();
    m_rearVideo->hide();

    if (!m_map.CreateMapView(this))
        return;
    m_map.view()->setVisible(m_mapEnabled);
    m_map.ShowMapPage(m_settings.ReadMapChoice());
}

void CKTRDlg::ConnectCommands() {
    const auto onClick = [this](ControlId id, auto slot) {
        connect(static_cast<CGdipButton*>(m_controls.at(id)), &QAbstractButton::clicked, this,
                slot);
    };
    onClick(ControlId::CloseButton, [this] { close(); });
    onClick(ControlId::MinimizeButton, [this] { showMinimized(); });
    onClick(ControlId::MaximizeButton, [this] { ToggleMaximize(); });
    onClick(ControlId::SmallSizeButton, [this] { SetPresetSize(WindowPreset::Small); });
    onClick(ControlId::MediumSizeButton, [this] { SetPresetSize(WindowPreset::Medium); });
    onClick(ControlId::LargeSizeButton, [this] { SetPresetSize(WindowPreset::Large); });
}

QWidget* CKTRDlg::Control(ControlId id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

void CKTRDlg::LayoutControls() {
    LayoutInput input;
    input.client = size();
    input.panes = m_panes;
    input.mapEnabled = m_mapEnabled;
    input.gsensorEnabled = m_gsensorEnabled;
    input.curveHeight = m_curve->height();
    input.previousMapSplitter = m_layout.mapSplitter;
    const int32_t current = std::min(m_catalogue.currentEntry(), m_catalogue.EntryCount() - 1);
    if (current >= 0) {
        const RecordingInfo& picture = m_catalogue.Entry(current).info;
        input.picture = QSize(picture.width, picture.height);
    }
    m_layout = ::LayoutControls(input);
    for (const auto& [id, rect] : m_layout.controls)
        if (QWidget* control = Control(id))
            control->setGeometry(rect);
    if (m_map.view() && !m_layout.mapView.isEmpty())
        m_map.view()->setGeometry(m_layout.mapView);
}

QRect CKTRDlg::MonitorRect() const {
    const QScreen* monitor = screen();
    return monitor ? monitor->geometry() : QRect(QPoint(0, 0), kMinimumWindowSize);
}

void CKTRDlg::ToggleMaximize() {
    setGeometry(m_maximize.Toggle(geometry(), MonitorRect()));
    raise();
}

void CKTRDlg::SetPresetSize(WindowPreset preset) {
    m_maximize.Clear();
    setGeometry(PresetWindowRect(preset, MonitorRect()));
}

void CKTRDlg::PlaceFromSettings() {
    const QScreen* monitor = screen();
    const QSize usable = monitor ? monitor->availableGeometry().size() : kMinimumWindowSize;
    setGeometry(WindowPlacement(m_settings.ReadInt(SettingsKeys::kWindowLeft),
                                m_settings.ReadInt(SettingsKeys::kWindowTop),
                                m_settings.ReadInt(SettingsKeys::kWindowRight),
                                m_settings.ReadInt(SettingsKeys::kWindowBottom), usable));
    raise();
}

void CKTRDlg::WriteWindowPosition() {
    const QRect window = geometry();
    const bool written =
        m_settings.WriteInt(SettingsKeys::kWindowLeft, window.left()) &&
        m_settings.WriteInt(SettingsKeys::kWindowTop, window.top()) &&
        m_settings.WriteInt(SettingsKeys::kWindowRight, window.left() + window.width()) &&
        m_settings.WriteInt(SettingsKeys::kWindowBottom, window.top() + window.height());
    if (!written)
        qWarning("The window position could not be saved in %s",
                 qUtf8Printable(m_settings.iniPath()));
}

void CKTRDlg::closeEvent(QCloseEvent* event) {
    m_frontChannel.Stop();
    WriteWindowPosition();
    event->accept();
}

void CKTRDlg::resizeEvent(QResizeEvent*) {
    if (size().isEmpty())
        return;
    setMask(WindowShape(size()));
    if (size() != m_laidOutSize) {
        LayoutControls();
        m_laidOutSize = size();
    }
    update();
}
