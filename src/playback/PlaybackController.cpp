#include "playback/PlaybackController.h"

#include "library/RecordingCatalogue.h"
#include "platform/PathText.h"
#include "platform/Prompts.h"
#include "playback/CMediaChannel.h"
#include "playback/CompanionPaths.h"
#include "playback/PlaybackDisplay.h"
#include "playback/WindowMessages.h"

#include <QFileInfo>
#include <QThread>

#include <cmath>

namespace {

constexpr int kFrontChannelVolume = 100;
constexpr int kDefaultOverlaySize = 48;
constexpr double kOverlaySizePerPictureLine = 0.1;
// The framework is given a moment after Stop before the next recording opens, and a
// rewound recording a moment to show its first frame before it is paused.
constexpr unsigned long kSelectionSettleMs = 200;
constexpr unsigned long kRewindSettleMs = 50;

const QString kSnapshotFrontSuffix = QStringLiteral("_f");
const QString kSnapshotRearSuffix = QStringLiteral("_r");

QByteArray Utf8(const QString& path) {
    return path.toUtf8();
}

qsizetype LastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(kPathSeparator));
}

} // namespace

PlaybackController::PlaybackController(CMediaChannel& front, CMediaChannel& rear,
                                       RecordingCatalogue& catalogue, PlaybackDisplay& display)
    : m_front(front), m_rear(rear), m_catalogue(catalogue), m_display(display) {}

PlaybackController::~PlaybackController() {
    // The callbacks point at this object; once these return no event can reach it.
    m_front.AttachEvents(nullptr, nullptr);
    m_rear.AttachEvents(nullptr, nullptr);
}

void PlaybackController::AttachChannels() {
    if (m_front.IsLoaded()) {
        m_front.SetWindow(m_display.VideoWindowId(VideoChannel::Front));
        m_front.AttachEvents(&PlaybackController::OnFrontEvent, this);
        m_speedIndex = kNormalSpeedIndex;
        m_front.SetRate(1.0f);
        m_front.SetVolume(kFrontChannelVolume);
    }
    if (m_rear.IsLoaded()) {
        m_rear.SetWindow(m_display.VideoWindowId(VideoChannel::Rear));
        m_rear.AttachEvents(&PlaybackController::OnRearEvent, this);
        m_rear.SetRate(static_cast<float>(kSpeedTable[m_speedIndex].rate));
    }
}

void PlaybackController::StartClock() {
    m_seekTimer.start(kSeekPeriodMs, this);
    m_channelSyncTimer.start(kChannelSyncPeriodMs, this);
    m_deferredStartTimer.start(kDeferredStartPeriodMs, this);
}

void PlaybackController::OnOpen() {
    if (m_catalogue.EntryCount() != 0 && switchPending())
        return;
    m_pendingSeekMs = kNoSeek;
    StopBoth();
    ResetSpeed();
    MediaOpenAnswer answer;
    if (!CurrentPrompts().AskMediaToOpen(answer))
        return;
    if (answer.choice == 2)
        OpenFolder(answer.folderPath);
    else
        OpenSingleFile(answer.filePath);
}

bool PlaybackController::OpenPath(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || (m_catalogue.EntryCount() != 0 && switchPending()))
        return false;
    m_pendingSeekMs = kNoSeek;
    StopBoth();
    ResetSpeed();
    if (info.isDir())
        OpenFolder(info.absoluteFilePath());
    else
        OpenSingleFile(info.absoluteFilePath());
    return true;
}

void PlaybackController::OpenSingleFile(const QString& path) {
    m_sourceKind = SourceKind::SingleFile;
    m_catalogue.Clear();
    const qsizetype separator = LastSeparator(path);
    const QString folder = separator < 0 ? QString() : path.left(separator);
    const QString name = path.mid(separator + 1);
    if (!m_catalogue.Scan(folder, name) || m_catalogue.EntryCount() == 0)
        return;
    m_currentFrontPath = path;
    ShowSurface(VideoChannel::Front);
    m_catalogue.Select(0);
    m_catalogue.LoadTrack(0);
    const QString front = FrontCompanion(m_catalogue.CurrentPath());
    m_frontActive = 1;
    if (!front.isEmpty()) {
        m_front.Open(Utf8(front));
        m_display.SetPlayButtonState(1);
        m_display.FitVideo();
        m_front.Play();
        m_lastFrontPath = front;
    } else {
        m_frontActive = 0;
    }
    StartRearChannel(m_catalogue.CurrentPath());
}

void PlaybackController::OpenFolder(const QString& folder) {
    m_sourceKind = SourceKind::Folder;
    BeginSwitch();
    m_sourcePath = folder;
    if (m_sourcePath.isEmpty()) {
        m_switchPending = 0;
        return;
    }
    m_catalogue.Clear();
    m_display.ShowScanProgress(true);
    m_catalogue.Scan(m_sourcePath, QString());
    m_display.ShowScanProgress(false);
    if (m_catalogue.EntryCount() == 0) {
        m_switchPending = 0;
        return;
    }
    m_deferredStartIndex = 0;
    m_deferredStartTicks = kDeferredStartTicks;
}

void PlaybackController::StartRecording(int32_t index) {
    // A deletion may have taken the entry away since the start was asked for.
    if (index < 0 || index >= m_catalogue.EntryCount())
        return;
    ShowSurface(VideoChannel::Front);
    m_catalogue.Select(index);
    m_catalogue.LoadTrack(index);
    StartFrontChannel(m_catalogue.EntryPath(index));
    StartRearChannel(m_catalogue.EntryPath(index));
}

void PlaybackController::StartFrontChannel(const QString& entryPath) {
    m_currentFrontPath = FrontCompanion(entryPath);
    m_frontActive = 1;
    if (m_currentFrontPath.isEmpty())
        m_frontActive = 0;
    else
        PlayFrontFile(m_currentFrontPath);
}

void PlaybackController::PlayFrontFile(const QString& frontPath) {
    m_front.Open(Utf8(frontPath));
    m_display.FitVideo();
    m_front.Play();
    m_lastFrontPath = frontPath;
    RestartSpeedOverlay();
}

void PlaybackController::StartRearChannel(const QString& entryPath) {
    const QString rear = RearCompanion(entryPath);
    if (rear.isEmpty()) {
        m_rear.Recreate();
        m_display.ClearVideoSurface(VideoChannel::Rear);
        return;
    }
    ShowSurface(VideoChannel::Rear);
    if (m_rear.IsLoaded())
        m_rear.SetWindow(m_display.VideoWindowId(VideoChannel::Rear));
    m_rear.Open(Utf8(rear));
    // At the speed of the front, without a correction kept from the previous recording or
    // the normal rate of a recreated player.
    const double rate = kSpeedTable[m_speedIndex].rate;
    m_rear.SetRate(static_cast<float>(rate));
    m_sync.Restart(rate);
    m_rear.Play();
}

void PlaybackController::UpdateSpeedOverlay() {
    const SpeedRow& speed = kSpeedTable[m_speedIndex];
    int size = kDefaultOverlaySize;
    const int32_t current = ClampedCurrentEntry();
    if (current >= 0) {
        const int height = m_catalogue.Entry(current).info.height;
        if (height != 0)
            size = static_cast<int>(std::trunc(height * kOverlaySizePerPictureLine));
    }
    const bool shown = speed.rate != 1.0;
    m_front.ShowSpeedOverlay(speed.label, size, shown);
    m_rear.ShowSpeedOverlay(speed.label, size, shown);
}

void PlaybackController::RestartSpeedOverlay() {
    m_speedOverlayTicks = kSpeedOverlayRefreshes;
    UpdateSpeedOverlay();
    m_speedOverlayTimer.start(kSpeedOverlayPeriodMs, this);
}

void PlaybackController::OnPlayPause() {
    m_pendingSeekMs = kNoSeek;
    m_display.SetCurveStopped(false);
    if (m_catalogue.EntryCount() == 0) {
        m_display.SetPlayButtonState(0);
        return;
    }
    if (frontActive()) {
        if (m_front.IsLoaded() && m_front.IsPlaying()) {
            m_front.Pause();
        } else {
            ShowSurface(VideoChannel::Front);
            m_front.Play();
            // Resuming always returns to the normal speed.
            if (m_speedIndex != kNormalSpeedIndex) {
                ResetSpeed();
                RestartSpeedOverlay();
            }
        }
    }
    if (m_rear.IsLoaded() && m_rear.IsPlaying()) {
        m_rear.Pause();
    } else {
        ShowSurface(VideoChannel::Rear);
        m_rear.Play();
    }
}

void PlaybackController::OnStop() {
    m_pendingSeekMs = kNoSeek;
    m_display.SetPlayButtonState(0);
    StopBoth();
    ResetSpeed();
    m_display.SetPositionSlider(0);
    m_display.SetCurveCursor(0);
    m_display.SetCurveStopped(true);
    for (const VideoChannel channel : {VideoChannel::Front, VideoChannel::Rear})
        if (m_display.IsVideoSurfaceShown(channel))
            m_display.ShowVideoSurface(channel, false);
}

void PlaybackController::OnFaster() {
    m_speedIndex = std::min(m_speedIndex + 1, kFastestSpeedIndex);
    SetRates();
    UpdateSpeedOverlay();
}

void PlaybackController::OnSlower() {
    m_speedIndex = std::max(m_speedIndex - 1, kSlowestSpeedIndex);
    SetRates();
    UpdateSpeedOverlay();
}

void PlaybackController::SetRates() {
    const auto rate = static_cast<float>(kSpeedTable[m_speedIndex].rate);
    if (frontActive() && m_front.IsLoaded())
        m_front.SetRate(rate);
    if (m_rear.IsLoaded())
        m_rear.SetRate(rate);
    m_sync.Restart(rate);
}

void PlaybackController::ResetSpeed() {
    m_speedIndex = kNormalSpeedIndex;
    m_front.SetRate(1.0f);
    m_rear.SetRate(static_cast<float>(kSpeedTable[kNormalSpeedIndex].rate));
    m_sync.Restart(kSpeedTable[kNormalSpeedIndex].rate);
}

void PlaybackController::OnSnapshot() {
    if (m_catalogue.EntryCount() == 0) {
        m_display.ShowNoFilesMessage();
        return;
    }
    const bool frontPaused = m_front.IsLoaded() && m_front.IsPlaying();
    const bool rearPaused = m_rear.IsLoaded() && m_rear.IsPlaying();
    if (frontPaused)
        m_front.Pause();
    if (rearPaused)
        m_rear.Pause();

    SaveFileQuestion question;
    question.defaultSuffix = QStringLiteral("JPG");
    question.nameFilters = {QStringLiteral("Jpeg File(*.jpg)"), QStringLiteral("Png File(*.png)")};
    question.confirmOverwrite = true;
    const QString chosen = CurrentPrompts().AskSaveFile(question);
    if (!chosen.isEmpty()) {
        // A dot inside a folder name is no extension.
        qsizetype dot = chosen.lastIndexOf(QLatin1Char('.'));
        if (dot <= LastSeparator(chosen))
            dot = chosen.size();
        const QString base = chosen.left(dot);
        const QString extension = chosen.mid(dot);
        if (m_front.IsLoaded())
            m_front.TakeSnapshot(Utf8(base + kSnapshotFrontSuffix + extension));
        if (m_rear.IsLoaded())
            m_rear.TakeSnapshot(Utf8(base + kSnapshotRearSuffix + extension));
    }

    if (frontPaused)
        m_front.Play();
    if (rearPaused)
        m_rear.Play();
}

void PlaybackController::OnMute() {
    const bool on = m_display.IsMuteAsked();
    m_front.SetMute(on);
    m_rear.SetMute(on);
}

void PlaybackController::OnToggleAutoPlay() {
    m_autoPlayNext = !m_autoPlayNext;
}

void PlaybackController::OnEndReached() {
    if (!m_autoPlayNext) {
        // Rewind and hold. Only the channels of the recording that ended: a rear-only
        // recording leaves the previous front file on the front channel, and starting it
        // again would move every display with that file's time.
        const bool front = frontActive() && m_front.IsLoaded();
        const bool rear = m_rear.IsLoaded();
        if (front) {
            m_front.Stop();
            m_front.Play();
        }
        if (rear) {
            m_rear.Stop();
            m_rear.Play();
        }
        QThread::msleep(kRewindSettleMs);
        if (front)
            m_front.Pause();
        if (rear)
            m_rear.Pause();
        m_display.SetPositionSlider(0);
        m_display.SetCurveCursor(0);
        return;
    }

    const int32_t count = m_catalogue.EntryCount();
    if (count == 0) {
        StopBoth();
        return;
    }
    const int32_t current = ClampedCurrentEntry();
    if (current >= 0 && current + 1 < count) {
        const int32_t next = current + 1;
        m_catalogue.Select(next);
        m_catalogue.LoadTrack(next);
        m_currentFrontPath = FrontCompanion(m_catalogue.EntryPath(next));
        m_frontActive = 1;
        if (!m_currentFrontPath.isEmpty() && m_currentFrontPath == m_lastFrontPath) {
            // The other half of the recording that just played.
            Post(new KtrMessageEvent(WM_KTR_END_REACHED, 1, 0));
            m_pendingSeekMs = kNoSeek;
            return;
        }
        if (!m_currentFrontPath.isEmpty() && !QFileInfo::exists(m_currentFrontPath))
            return;
        if (!m_currentFrontPath.isEmpty())
            PlayFrontFile(m_currentFrontPath);
        else
            m_frontActive = 0;
        StartRearChannel(m_catalogue.EntryPath(next));
        OnVolumeChanged();
        return;
    }

    StopBoth();
    m_catalogue.Select(0);
    m_catalogue.LoadTrack(0);
    m_currentFrontPath = FrontCompanion(m_catalogue.EntryPath(0));
    m_frontActive = 1;
    if (!m_currentFrontPath.isEmpty()) {
        m_front.Open(Utf8(m_currentFrontPath));
        m_display.FitVideo();
        m_front.Play();
        m_lastFrontPath = m_currentFrontPath;
    } else {
        m_frontActive = 0;
    }
    StartRearChannel(m_catalogue.EntryPath(0));
    OnVolumeChanged();
}

void PlaybackController::OnFileSelected(int32_t index) {
    if (switchPending() || index == -1)
        return;
    StopBoth();
    QThread::msleep(kSelectionSettleMs);
    if (!m_catalogue.Select(index))
        return;
    BeginSwitch();
    StartRecording(index);
}

void PlaybackController::OnGroupSelected(int32_t group) {
    if (switchPending() || group == -1)
        return;
    StopBoth();
    QThread::msleep(kSelectionSettleMs);
    const auto& groups = m_catalogue.Groups();
    if (group >= 0 && static_cast<size_t>(group) < groups.size() && groups[group].count > 0)
        m_catalogue.Select(groups[group].first);
    const int32_t current = ClampedCurrentEntry();
    if (current < 0)
        return;
    BeginSwitch();
    StartRecording(current);
}

void PlaybackController::StopBoth() {
    m_front.Stop();
    m_rear.Stop();
}

void PlaybackController::BeginSwitch() {
    m_switchGuardTimer.start(kSwitchGuardMs, this);
    m_switchPending = 1;
}

void PlaybackController::ShowSurface(VideoChannel channel) {
    if (!m_display.IsVideoSurfaceShown(channel))
        m_display.ShowVideoSurface(channel, true);
}

int32_t PlaybackController::ClampedCurrentEntry() const {
    return std::min(m_catalogue.currentEntry(), m_catalogue.EntryCount() - 1);
}
