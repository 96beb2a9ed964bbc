// The main window's side of playback: the commands of the control bar go to the playback
// controller, and this is where the controller's decisions become pictures.

#include "ui/window/CKTRDlg.h"

#include "app/CAppSettings.h"
#include "app/LoadText.h"
#include "app/SystemText.h"
#include "platform/Prompts.h"
#include "playback/WindowMessages.h"
#include "ui/CGSensorCtrl.h"
#include "ui/GpxCommand.h"
#include "ui/KmlCommand.h"
#include "ui/controls/ApplyTooltipTexts.h"
#include "ui/controls/CGdipButton.h"
#include "ui/controls/CKtcToolTipCtrl.h"
#include "ui/controls/CMySliderControl.h"
#include "ui/controls/CPngCompassStatic.h"
#include "ui/controls/CPngStatic.h"
#include "ui/controls/CSpeedLabelStatic.h"
#include "ui/controls/CVideoSlider.h"
#include "ui/controls/CVideoStatic.h"
#include "ui/controls/CVideoStaticBg.h"
#include "ui/controls/CompassSector.h"
#include "ui/lists/CKtrFileListCtrl.h"
#include "ui/lists/CKtrGroupListCtrl.h"
#include "ui/window/KmlButtonMenu.h"
#include "ui/window/UnreadableNotice.h"
#include "ui/window/WindowMenu.h"

#include <QKeyEvent>
#include <QWebEngineView>

namespace {

constexpr uint16_t kPlayerErrorText = 102;
constexpr uint16_t kWarningCaption = 131;
constexpr uint16_t kVideoComponentFailedText = 133;
constexpr uint16_t kNoFilesText = 136;
constexpr uint16_t kOkCaption = 145;
const QString kMessageCaption = QStringLiteral("Kestrola");

} // namespace

CGdipButton* CKTRDlg::Button(ControlId id) const {
    return static_cast<CGdipButton*>(Control(id));
}

void CKTRDlg::ConnectPlaybackCommands() {
    const auto onClick = [this](ControlId id, auto slot) {
        connect(Button(id), &QAbstractButton::clicked, this, slot);
    };
    onClick(ControlId::OpenButton, [this] { m_controller.OnOpen(); });
    onClick(ControlId::PlayButton, [this] { m_controller.OnPlayPause(); });
    onClick(ControlId::StopButton, [this] { m_controller.OnStop(); });
    onClick(ControlId::FastButton, [this] { m_controller.OnFaster(); });
    onClick(ControlId::SlowButton, [this] { m_controller.OnSlower(); });
    onClick(ControlId::SnapButton, [this] { m_controller.OnSnapshot(); });
    onClick(ControlId::SoundButton, [this] { m_controller.OnMute(); });
    onClick(ControlId::LoopButton, [this] { m_controller.OnToggleAutoPlay(); });
    onClick(ControlId::MapButton, [this] { ToggleMap(); });
    onClick(ControlId::GSensorButton, [this] { ToggleGSensor(); });
    onClick(ControlId::KmlButton, [this] { ExportKml(); });
    SetUpKmlButtonMenu();
}

void CKTRDlg::SetUpKmlButtonMenu() {
    CGdipButton* kml = Button(ControlId::KmlButton);
    m_kmlMenu = new KmlButtonMenu(kml);
    m_kmlMenu->Relabel(m_settings);
    kml->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(kml, &QWidget::customContextMenuRequested, this,
            [this, kml](const QPoint& at) { m_kmlMenu->popup(kml->mapToGlobal(at)); });
    connect(m_kmlMenu->gpxAction(), &QAction::triggered, this, [this] { ExportGpx(); });
}

// A missing media framework is reported once per channel; the window still opens and works
// without playback.
void CKTRDlg::ReportChannelsNotLoaded() {
    for (const CMediaChannel* channel : {&m_frontChannel, &m_rearChannel})
        if (!channel->IsLoaded())
            CurrentPrompts().ShowMessage(LoadText(m_settings, kVideoComponentFailedText),
                                         LoadText(m_settings, kWarningCaption), PromptButtons::Ok,
                                         PromptIcon::Warning);
}

bool CKTRDlg::event(QEvent* event) {
    if (const auto* message = dynamic_cast<const KtrMessageEvent*>(event)) {
        if (m_controller.HandleMessage(*message))
            return true;
        if (message->type() == WM_KTR_LANGUAGE_CHANGED) {
            ApplyLanguage();
            return true;
        }
        if (message->type() == WM_KTR_MAP_CHOICE_CHANGED) {
            ApplyMapChoice();
            return true;
        }
    }
    return QWidget::event(event);
}

// Escape must not close the player in the middle of an incident's review.
void CKTRDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CKTRDlg::ToggleMap() {
    m_mapEnabled = !m_mapEnabled;
    m_controller.SetMapEnabled(m_mapEnabled);
    if (m_map.view())
        m_map.view()->setVisible(m_mapEnabled);
    LayoutControls();
    m_settings.WriteInt(SettingsKeys::kMapEnable, m_mapEnabled ? 1 : 0);
}

void CKTRDlg::ToggleGSensor() {
    m_gsensorEnabled = !m_gsensorEnabled;
    m_controller.SetGSensorEnabled(m_gsensorEnabled);
    m_curve->setVisible(m_gsensorEnabled);
    LayoutControls();
    m_settings.WriteInt(SettingsKeys::kGSensorEnable, m_gsensorEnabled ? 1 : 0);
}

KmlRecording CKTRDlg::ExportedRecording(int32_t index) const {
    const RecordingEntry& entry = m_catalogue.Entry(index);
    return KmlRecording{entry.subfolder, entry.name, entry.info.startTime};
}

void CKTRDlg::ExportKml() {
    RunKmlCommand(
        m_catalogue.Track(), m_catalogue.EntryCount(),
        [this](int32_t index) { return ExportedRecording(index); },
        [this](uint16_t id) { return LoadText(m_settings, id); });
}

void CKTRDlg::ExportGpx() {
    RunGpxCommand(
        m_catalogue.Track(), m_catalogue.EntryCount(),
        [this](int32_t index) { return ExportedRecording(index); },
        [this](uint16_t id) { return LoadText(m_settings, id); });
}

void CKTRDlg::ApplyMapChoice() {
    m_map.ShowMapPage(m_settings.ReadMapChoice());
}

void CKTRDlg::ApplyLanguage() {
    m_groupList->RelabelColumns(m_settings);
    m_fileList->RelabelColumns(m_settings);
    ApplyTooltipTexts(*this, *m_tips, m_settings.languageId());
    m_windowMenu->Relabel(m_settings);
    m_unreadableNotice->Relabel();
    m_kmlMenu->Relabel(m_settings);
}

bool CKTRDlg::IsVideoSurfaceShown(VideoChannel channel) const {
    const CVideoStaticBg* panel = channel == VideoChannel::Front ? m_frontPanel : m_rearPanel;
    return !panel->IsVideoHidden();
}

void CKTRDlg::ShowVideoSurface(VideoChannel channel, bool shown) {
    CVideoStaticBg* panel = channel == VideoChannel::Front ? m_frontPanel : m_rearPanel;
    CVideoStatic* surface = channel == VideoChannel::Front ? m_frontVideo : m_rearVideo;
    panel->SetVideoHidden(!shown);
    surface->setVisible(shown);
    // The framework leaves its last picture on a surface it no longer draws into.
    surface->Repaint();
}

void CKTRDlg::ClearVideoSurface(VideoChannel channel) {
    (channel == VideoChannel::Front ? m_frontVideo : m_rearVideo)->Repaint();
}

uintptr_t CKTRDlg::VideoWindowId(VideoChannel channel) const {
    const CVideoStatic* surface = channel == VideoChannel::Front ? m_frontVideo : m_rearVideo;
    return static_cast<uintptr_t>(surface->NativeWindowId());
}

void CKTRDlg::FitVideo() {
    LayoutControls();
}

void CKTRDlg::ShowScanProgress(bool on) {
    m_frontVideo->ShowCounter(on);
    if (on) {
        m_frontVideo->SetCounter(0);
        m_frontVideo->show();
    } else if (m_frontPanel->IsVideoHidden()) {
        m_frontVideo->hide();
    }
    m_frontVideo->Repaint();
}

void CKTRDlg::SetCounter(int32_t filesExamined) {
    m_frontVideo->SetCounter(filesExamined);
}

void CKTRDlg::RepaintNow() {
    m_frontVideo->Repaint();
}

void CKTRDlg::ShowUnreadable(const std::vector<UnreadableRecording>& files) {
    m_unreadableNotice->Show(files);
}

void CKTRDlg::SetPlayButtonState(int state) {
    Button(ControlId::PlayButton)->SetPictureState(state);
}

bool CKTRDlg::IsMuteAsked() const {
    return Button(ControlId::SoundButton)->PictureState() == 1;
}

int CKTRDlg::PositionSliderValue() const {
    return m_positionSlider->value();
}

void CKTRDlg::SetPositionSlider(int position) {
    m_positionSlider->setValue(position);
}

int CKTRDlg::VolumeSliderValue() const {
    return m_volumeSlider->value();
}

void CKTRDlg::SetGpsLamp(bool lit) {
    m_gpsLamp->SetLit(lit);
}

void CKTRDlg::ShowHeadingAndSpeed(uint8_t headingHalfDeg, uint16_t speedKmh) {
    m_compass->SetImageIndex(
        static_cast<unsigned>(CompassImageIndex(headingHalfDeg, m_compass->ImageCount())));
    m_speedReadout->SetSpeed(speedKmh, true);
}

void CKTRDlg::ShowNoFix() {
    m_compass->SetImageIndex(0);
    m_speedReadout->SetSpeed(0, false);
}

void CKTRDlg::ShowNoTrack(bool firstTime) {
    m_compass->SetImageIndex(0);
    if (firstTime)
        m_speedReadout->SetSpeed(0, true);
}

void CKTRDlg::MoveMapMarker(double latitudeDivided100, double longitudeDivided100) {
    if (m_map.view())
        m_map.MoveMarker(latitudeDivided100, longitudeDivided100);
}

bool CKTRDlg::HasCurve() const {
    return m_curve != nullptr;
}

void CKTRDlg::MoveCurveCursor(double lengthMs, int32_t timeMs) {
    GSensorTrace& trace = m_curve->trace();
    trace.SetDimmed(false);
    trace.SetLengthMs(lengthMs);
    trace.SetCursorTime(timeMs);
    trace.Repaint();
}

void CKTRDlg::SetCurveCursor(int32_t timeMs) {
    m_curve->trace().SetCursorTime(timeMs);
    m_curve->trace().Repaint();
}

void CKTRDlg::SetCurveStopped(bool stopped) {
    m_curve->trace().SetDimmed(stopped);
    m_curve->trace().Repaint();
}

void CKTRDlg::ShowPlayerError() {
    CurrentPrompts().ShowMessage(LoadSystemText(kPlayerErrorText), kMessageCaption,
                                 PromptButtons::Ok, PromptIcon::None);
}

void CKTRDlg::ShowNoFilesMessage() {
    CurrentPrompts().ShowMessage(LoadText(m_settings, kNoFilesText),
                                 LoadText(m_settings, kOkCaption), PromptButtons::Ok,
                                 PromptIcon::None);
}
