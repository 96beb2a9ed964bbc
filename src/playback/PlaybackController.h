#pragma once

#include "playback/ChannelSync.h"
#include "playback/SpeedTable.h"

#include <QBasicTimer>
#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>

class CMediaChannel;
class KtrMessageEvent;
class PlaybackDisplay;
enum class VideoChannel : int;
class RecordingCatalogue;
struct MediaEventInfo;

// Decides what the two channels play and keeps every display in step with the playback time.
// The window owns it, forwards the commands of its control bar and the private messages it
// receives, and shows what the controller asks of it through PlaybackDisplay.
//
// The framework reports events on threads of its own; the channel callbacks only post to
// this object, which lives on the window thread and does the work there.
class PlaybackController : public QObject {
public:
    enum Timer {
        kSpeedOverlayTimer = 102,
        kSeekTimer = 103,
        kDeferredStartTimer = 105,
        kSwitchGuardTimer = 106
    };
    static constexpr int kSpeedOverlayPeriodMs = 300;
    static constexpr int kSeekPeriodMs = 500;
    static constexpr int kDeferredStartPeriodMs = 100;
    static constexpr int kSwitchGuardMs = 100000;
    static constexpr int kChannelSyncPeriodMs = 200;
    static constexpr int kSpeedOverlayRefreshes = 10;
    static constexpr int kDeferredStartTicks = 5;
    static constexpr int kPositionSliderRange = 1000;
    static constexpr int kVolumePerSliderStep = 2;
    static constexpr int64_t kSkipMs = 5000;
    // lParam of a WM_KTR_TIME_CHANGED from the front channel; the rear channel's carry 0.
    // The length is read on the window thread, as the framework must not be called from
    // its event threads.
    static constexpr qintptr kTimeFromFront = 1;

    enum class SourceKind { None = 0, Folder = 1, SingleFile = 2 };

    PlaybackController(CMediaChannel& front, CMediaChannel& rear, RecordingCatalogue& catalogue,
                       PlaybackDisplay& display);
    ~PlaybackController() override;

    // Binds the channels' events to this controller; the front channel also gets the normal
    // rate.
    void AttachChannels();
    // Starts the seek and deferred-start timers, which run for the controller's life.
    void StartClock();

    // The control bar.
    void OnOpen();
    void OnPlayPause();
    void OnStop();
    void OnFaster();
    void OnSlower();
    void OnSnapshot();
    void OnMute();
    void OnToggleAutoPlay();
    // The keyboard's steps. Skip and frame step act on both channels of the recording that
    // plays and do nothing while nothing is catalogued.
    // Moves both channels by deltaMs from where they are (or from a seek that waits), within
    // the recording.
    void OnSkip(int64_t deltaMs);
    // One frame forward on both channels, which then stay paused.
    void OnFrameStep();
    void OnNormalSpeed();
    // The first entry of the next recording, or of the previous one; the other file of the
    // same recording is no step. Nothing happens at either end or while a switch is pending.
    void OnNextRecording();
    void OnPreviousRecording();
    // Stops both channels, leaving the surfaces and the rest of the playback state alone.
    void StopBoth();

    // Opens what a path names, as OPEN does with the dialog's answer: a folder is scanned and
    // its first recording starts shortly after; a file is catalogued and played at once.
    // False when the path does not exist, or, as for OPEN, while a switch is pending.
    bool OpenPath(const QString& path);

    void StartRecording(int32_t index);
    void StartRearChannel(const QString& entryPath);
    void UpdateSpeedOverlay();
    // 1 when the track has a point with a fix for timeMs (the GPS lamp is lit).
    int UpdatePosition(int64_t timeMs, int32_t lengthMs, bool gsensorEnabled, bool mapEnabled);

    // The private messages the controller handles; false for any other message.
    bool HandleMessage(const KtrMessageEvent& message);

    void SetMapEnabled(bool on) { m_mapEnabled = on; }
    void SetGSensorEnabled(bool on) { m_gsensorEnabled = on; }

    int speedIndex() const { return m_speedIndex; }
    bool autoPlayNext() const { return m_autoPlayNext; }
    // The seek target waiting for the seek timer, or kNoSeek.
    int64_t pendingSeekMs() const { return m_pendingSeekMs.load(); }
    static constexpr int64_t kNoSeek = -1;
    bool frontActive() const { return m_frontActive.load() != 0; }
    bool switchPending() const { return m_switchPending.load() != 0; }
    SourceKind sourceKind() const { return m_sourceKind; }
    QString currentFrontPath() const { return m_currentFrontPath; }
    QString lastFrontPath() const { return m_lastFrontPath; }

protected:
    bool event(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    static void OnFrontEvent(const MediaEventInfo& event, void* self);
    static void OnRearEvent(const MediaEventInfo& event, void* self);
    void OnChannelEvent(const MediaEventInfo& event, bool front);
    void Post(QEvent* event);

    void OnTimeChanged(int64_t timeMs, bool fromFront);
    void OnPlayState(int state);
    void OnEndReached();
    void OnFileSelected(int32_t index);
    void OnGroupSelected(int32_t group);
    void OnSeekRequest();
    void OnVolumeChanged();
    void OnSeekTimer();
    void SeekBoth(int64_t targetMs);
    void ShowTime(int64_t timeMs, int64_t lengthMs);
    // Names the recording of an entry: its front file, or its rear file when it has none.
    QString RecordingOf(int32_t index) const;
    void OnDeferredStartTimer();
    void OnSpeedOverlayTimer();
    void OnChannelSyncTimer();

    void OpenSingleFile(const QString& path);
    void OpenFolder(const QString& folder);
    // Opens and plays the entry's front file when it has one; sets frontActive.
    void StartFrontChannel(const QString& entryPath);
    void PlayFrontFile(const QString& frontPath);
    void RestartSpeedOverlay();
    void ResetSpeed();
    void SetRates();
    void BeginSwitch();
    void ShowSurface(VideoChannel channel);
    int32_t ClampedCurrentEntry() const;
    CMediaChannel& ClockChannel();
    void UpdatePositionSlider();
    static int SliderPosition(int64_t timeMs, int64_t lengthMs);

    CMediaChannel& m_front;
    CMediaChannel& m_rear;
    RecordingCatalogue& m_catalogue;
    PlaybackDisplay& m_display;

    int m_speedIndex = kNormalSpeedIndex;
    int m_speedOverlayTicks = kSpeedOverlayRefreshes;
    bool m_autoPlayNext = true;
    int32_t m_deferredStartIndex = -1;
    int m_deferredStartTicks = 0;
    QString m_currentFrontPath;
    QString m_lastFrontPath;
    QString m_sourcePath;
    SourceKind m_sourceKind = SourceKind::None;
    bool m_mapEnabled = true;
    bool m_gsensorEnabled = true;
    int32_t m_lastShownPoint = 0;
    bool m_noTrackShown = false;

    // Shared with the framework's threads: the callbacks drop time reports while a seek
    // waits, cancel the seek on opening, pause and end, and end a switch with the first
    // report.
    std::atomic<int64_t> m_pendingSeekMs{kNoSeek};
    std::atomic<int> m_frontActive{0};
    std::atomic<int> m_switchPending{0};
    // Per channel, front then rear: the media opened last has reported a playback time.
    std::atomic<int> m_timeReported[2] = {0, 0};

    QBasicTimer m_speedOverlayTimer;
    QBasicTimer m_seekTimer;
    QBasicTimer m_deferredStartTimer;
    QBasicTimer m_switchGuardTimer;
    QBasicTimer m_channelSyncTimer;
    ChannelSync m_sync;
};
