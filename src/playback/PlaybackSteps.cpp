// The steps of the keyboard: a few seconds either way, one frame, the normal speed, and the
// next or the previous recording.

#include "playback/PlaybackController.h"

#include "library/RecordingCatalogue.h"
#include "playback/CMediaChannel.h"
#include "playback/CompanionPaths.h"
#include "playback/PlaybackDisplay.h"

#include <algorithm>

void PlaybackController::OnSkip(int64_t deltaMs) {
    if (m_catalogue.EntryCount() == 0)
        return;
    const CMediaChannel& clock = ClockChannel();
    const int64_t length = clock.GetLength();
    // Pressed again before the seek timer ran, the step goes on from the target shown.
    const int64_t waiting = m_pendingSeekMs.load();
    const int64_t from = waiting != kNoSeek ? waiting : clock.GetTime();
    if (length <= 0 || from < 0)
        return;
    const int64_t target = std::clamp(from + deltaMs, int64_t{0}, length);
    SeekBoth(target);
    // A paused player reports no time after a seek, so the displays are moved here.
    ShowTime(target, length);
}

void PlaybackController::ShowTime(int64_t timeMs, int64_t lengthMs) {
    const bool lit =
        UpdatePosition(timeMs, static_cast<int32_t>(lengthMs), m_gsensorEnabled, m_mapEnabled) != 0;
    m_display.SetGpsLamp(lit);
    m_display.SetPositionSlider(SliderPosition(timeMs, lengthMs));
}

void PlaybackController::OnFrameStep() {
    if (m_catalogue.EntryCount() == 0)
        return;
    // The front channel of a rear-only recording still holds an older file.
    if (frontActive())
        m_front.NextFrame();
    m_rear.NextFrame();
    m_display.SetPlayButtonState(0);
}

void PlaybackController::OnNormalSpeed() {
    ResetSpeed();
    UpdateSpeedOverlay();
}

QString PlaybackController::RecordingOf(int32_t index) const {
    const QString path = m_catalogue.EntryPath(index);
    const QString front = FrontCompanion(path);
    if (!front.isEmpty())
        return front;
    const QString rear = RearCompanion(path);
    return rear.isEmpty() ? path : rear;
}

void PlaybackController::OnNextRecording() {
    const int32_t current = ClampedCurrentEntry();
    if (current < 0 || switchPending())
        return;
    const QString playing = RecordingOf(current);
    for (int32_t next = current + 1; next < m_catalogue.EntryCount(); ++next) {
        if (RecordingOf(next) != playing) {
            OnFileSelected(next);
            return;
        }
    }
}

void PlaybackController::OnPreviousRecording() {
    const int32_t current = ClampedCurrentEntry();
    if (current < 0 || switchPending())
        return;
    // The files of one recording follow one another in the catalogue.
    const auto firstOf = [this](int32_t index) {
        const QString recording = RecordingOf(index);
        while (index > 0 && RecordingOf(index - 1) == recording)
            --index;
        return index;
    };
    const int32_t first = firstOf(current);
    if (first > 0)
        OnFileSelected(firstOf(first - 1));
}
