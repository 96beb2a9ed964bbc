#include "playback/PlaybackController.h"

#include "library/RecordingCatalogue.h"
#include "playback/CMediaChannel.h"
#include "playback/PlaybackDisplay.h"
#include "playback/PlaybackLog.h"
#include "playback/WindowMessages.h"

#include <QCoreApplication>
#include <QTimerEvent>

#include <chrono>
#include <cmath>

namespace {

// Posted by a callback to put the GPS lamp out: widgets may only be touched on their thread.
const QEvent::Type kLampOutEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

int64_t SteadyNowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

constexpr double kCoordinateDivisor = 100.0;
constexpr double kNoCoordinate = 200.0;

} // namespace

void PlaybackController::OnFrontEvent(const MediaEventInfo& event, void* self) {
    static_cast<PlaybackController*>(self)->OnChannelEvent(event, true);
}

void PlaybackController::OnRearEvent(const MediaEventInfo& event, void* self) {
    static_cast<PlaybackController*>(self)->OnChannelEvent(event, false);
}

// Runs on a framework thread: it only posts and stores. It does not ask the channel for its
// length either, as the framework must not be called from its own event thread.
void PlaybackController::OnChannelEvent(const MediaEventInfo& event, bool front) {
    const ChannelSync::Channel syncRole = front ? ChannelSync::kLeader : ChannelSync::kFollower;
    if (event.type == MediaEvent::kTimeChanged)
        m_sync.NoteTime(syncRole, event.timeMs, SteadyNowMs());
    else if (event.type == MediaEvent::kOpening || event.type == MediaEvent::kPaused ||
             event.type == MediaEvent::kStopped || event.type == MediaEvent::kEndReached)
        m_sync.Forget(syncRole);
    if (!front && m_frontActive.load() != 0)
        return;
    std::atomic<int>& timeReported = m_timeReported[front ? 0 : 1];
    switch (event.type) {
    case MediaEvent::kOpening:
        timeReported = 0;
        m_pendingSeekMs = kNoSeek;
        Post(new QEvent(kLampOutEvent));
        break;
    case MediaEvent::kPlaying:
        Post(new KtrMessageEvent(WM_KTR_PLAY_STATE, 3, 0));
        break;
    case MediaEvent::kPaused:
        // The PLAY command itself drops a seek that waits. The framework reports a pause
        // late, often after the user has already dragged the slider to a new place, and that
        // seek must not be lost.
        Post(new KtrMessageEvent(WM_KTR_PLAY_STATE, 4, 0));
        break;
    case MediaEvent::kStopped:
        Post(new QEvent(kLampOutEvent));
        break;
    case MediaEvent::kEndReached:
        // The framework ends a file it found nothing to play in without reporting an error.
        // Taken for an end, auto-play would open that file again and again.
        if (timeReported.load() == 0)
            Post(new KtrMessageEvent(WM_KTR_PLAYER_ERROR, 1, 0));
        else
            Post(new KtrMessageEvent(WM_KTR_END_REACHED, 1, 0));
        m_pendingSeekMs = kNoSeek;
        break;
    case MediaEvent::kEncounteredError:
        Post(new KtrMessageEvent(WM_KTR_PLAYER_ERROR, 1, 0));
        break;
    case MediaEvent::kTimeChanged:
        timeReported = 1;
        // While a seek waits the displays keep showing its target.
        if (m_pendingSeekMs.load() != kNoSeek)
            return;
        Post(new KtrMessageEvent(WM_KTR_TIME_CHANGED, static_cast<qintptr>(event.timeMs),
                                 front ? kTimeFromFront : 0));
        m_switchPending = 0;
        break;
    default:
        break;
    }
}

void PlaybackController::Post(QEvent* event) {
    QCoreApplication::postEvent(this, event);
}

bool PlaybackController::event(QEvent* event) {
    if (event->type() == kLampOutEvent) {
        m_display.SetGpsLamp(false);
        return true;
    }
    if (const auto* message = dynamic_cast<const KtrMessageEvent*>(event))
        return HandleMessage(*message);
    return QObject::event(event);
}

bool PlaybackController::HandleMessage(const KtrMessageEvent& message) {
    const QEvent::Type type = message.type();
    if (type == WM_KTR_PLAYER_ERROR)
        m_display.ShowPlayerError();
    else if (type == WM_KTR_PLAY_STATE)
        OnPlayState(static_cast<int>(message.wParam()));
    else if (type == WM_KTR_TIME_CHANGED)
        OnTimeChanged(message.wParam(), message.lParam() == kTimeFromFront);
    else if (type == WM_KTR_END_REACHED)
        OnEndReached();
    else if (type == WM_KTR_GROUP_SELECTED)
        OnGroupSelected(static_cast<int32_t>(message.wParam()));
    else if (type == WM_KTR_FILE_SELECTED)
        OnFileSelected(static_cast<int32_t>(message.wParam()));
    else if (type == WM_KTR_VOLUME_CHANGED)
        OnVolumeChanged();
    else if (type == WM_KTR_SEEK)
        OnSeekRequest();
    else
        return false;
    return true;
}

void PlaybackController::OnPlayState(int state) {
    if (state == 1 || state == 4)
        m_display.SetPlayButtonState(0);
    else if (state == 2 || state == 3)
        m_display.SetPlayButtonState(1);
}

void PlaybackController::OnTimeChanged(int64_t timeMs, bool fromFront) {
    // A report posted before a seek was asked for is older than what the displays show.
    if (m_pendingSeekMs.load() != kNoSeek)
        return;
    const int64_t length = fromFront ? m_front.GetLength() : 0;
    const bool lit =
        UpdatePosition(timeMs, static_cast<int32_t>(length), m_gsensorEnabled, m_mapEnabled) != 0;
    m_display.SetGpsLamp(lit);
    UpdatePositionSlider();
}

CMediaChannel& PlaybackController::ClockChannel() {
    return frontActive() ? m_front : m_rear;
}

void PlaybackController::UpdatePositionSlider() {
    const CMediaChannel& clock = ClockChannel();
    m_display.SetPositionSlider(SliderPosition(clock.GetTime(), clock.GetLength()));
}

int PlaybackController::SliderPosition(int64_t timeMs, int64_t lengthMs) {
    if (lengthMs <= 0 || timeMs <= 0)
        return 0;
    return std::min(kPositionSliderRange,
                    static_cast<int>(std::trunc(static_cast<double>(timeMs) / lengthMs *
                                                kPositionSliderRange)));
}

void PlaybackController::OnSeekRequest() {
    const int64_t length = ClockChannel().GetLength();
    if (length <= 0)
        return;
    const int64_t target = m_display.PositionSliderValue() * (length / kPositionSliderRange);
    m_pendingSeekMs = target;
    const bool lit =
        UpdatePosition(target, static_cast<int32_t>(length), m_gsensorEnabled, m_mapEnabled) != 0;
    m_display.SetGpsLamp(lit);
}

void PlaybackController::OnVolumeChanged() {
    const int volume = m_display.VolumeSliderValue() * kVolumePerSliderStep;
    m_front.SetVolume(volume);
    m_rear.SetVolume(volume);
}

void PlaybackController::timerEvent(QTimerEvent* event) {
    const int id = event->timerId();
    if (id == m_seekTimer.timerId())
        OnSeekTimer();
    else if (id == m_deferredStartTimer.timerId())
        OnDeferredStartTimer();
    else if (id == m_speedOverlayTimer.timerId())
        OnSpeedOverlayTimer();
    else if (id == m_channelSyncTimer.timerId())
        OnChannelSyncTimer();
    else if (id == m_switchGuardTimer.timerId()) {
        m_switchPending = 0;
        m_switchGuardTimer.stop();
    } else {
        QObject::timerEvent(event);
    }
}

void PlaybackController::OnSeekTimer() {
    const int64_t target = m_pendingSeekMs.load();
    if (target == kNoSeek)
        return;
    SeekBoth(target);
}

void PlaybackController::SeekBoth(int64_t targetMs) {
    m_front.SetTime(targetMs);
    m_rear.SetTime(targetMs);
    // Both start from the same place again, so the rear drops any correction it ran with.
    const double rate = kSpeedTable[m_speedIndex].rate;
    m_rear.ApplyRateCorrection(static_cast<float>(rate));
    m_sync.Restart(rate);
    m_catalogue.RedrawDrivenPath(static_cast<uint32_t>(targetMs));
    m_pendingSeekMs = kNoSeek;
}

void PlaybackController::OnDeferredStartTimer() {
    if (m_deferredStartTicks == 0 || m_deferredStartTicks == -1)
        return;
    --m_deferredStartTicks;
    if (m_deferredStartTicks == 0 && m_deferredStartIndex != -1)
        StartRecording(m_deferredStartIndex);
}

// The rear picture follows the front one while both play the same recording.
void PlaybackController::OnChannelSyncTimer() {
    if (!frontActive() || !m_front.IsPlaying() || !m_rear.IsPlaying() ||
        m_pendingSeekMs.load() != kNoSeek)
        return;
    const ChannelSync::Correction correction =
        m_sync.Next(kSpeedTable[m_speedIndex].rate, SteadyNowMs());
    qCDebug(lcPlayback) << "front - rear" << m_sync.lastGapMs() << "ms";
    if (correction.kind == ChannelSync::Correction::kRate)
        m_rear.ApplyRateCorrection(correction.rate);
    else if (correction.kind == ChannelSync::Correction::kSeek)
        m_rear.SetTime(correction.seekMs);
}

void PlaybackController::OnSpeedOverlayTimer() {
    UpdateSpeedOverlay();
    if (m_speedOverlayTicks > 0)
        --m_speedOverlayTicks;
    else
        m_speedOverlayTimer.stop();
}

int PlaybackController::UpdatePosition(int64_t timeMs, int32_t lengthMs, bool gsensorEnabled,
                                       bool mapEnabled) {
    const TrackBuffer& track = m_catalogue.Track();
    if (gsensorEnabled && m_display.HasCurve() && track.gsensorBytes != 0)
        m_display.MoveCurveCursor(lengthMs, static_cast<int32_t>(timeMs));

    if (track.pointCount() == 0 || track.points.empty()) {
        m_display.ShowNoTrack(!m_noTrackShown);
        m_noTrackShown = true;
        return 0;
    }
    const int64_t index = track.pointIndexAt(timeMs);
    if (index < 0 || !track.points[static_cast<size_t>(index)].fixValid()) {
        m_display.ShowNoFix();
        return 0;
    }
    // Redraw only when the time reaches another point.
    if (index != 0 && index == m_lastShownPoint)
        return 1;
    m_lastShownPoint = static_cast<int32_t>(index);
    const TrackPoint& point = track.points[static_cast<size_t>(index)];
    m_display.ShowHeadingAndSpeed(point.headingHalfDeg, point.speedKmh);

    const double latitude = point.latitudeNmea / kCoordinateDivisor;
    const double longitude = point.longitudeNmea / kCoordinateDivisor;
    if (latitude >= kNoCoordinate || longitude >= kNoCoordinate)
        return 0;
    if (mapEnabled)
        m_display.MoveMapMarker(latitude, longitude);
    return 1;
}
