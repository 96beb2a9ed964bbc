#pragma once

#include "platform/DynamicLibrary.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <mutex>

// The framework's opaque handles. Only CMediaChannel.cpp sees their definitions.
struct libvlc_instance_t;
struct libvlc_media_player_t;
struct libvlc_media_t;
struct libvlc_event_manager_t;
struct libvlc_event_t;

// Player event types as the framework numbers them; the callback receives one of these.
namespace MediaEvent {
constexpr int kMediaStateChanged = 5;
constexpr int kMediaChanged = 256;
constexpr int kOpening = 258;
constexpr int kBuffering = 259;
constexpr int kPlaying = 260;
constexpr int kPaused = 261;
constexpr int kStopped = 262;
constexpr int kEndReached = 265;
constexpr int kEncounteredError = 266;
constexpr int kTimeChanged = 267;
constexpr int kPositionChanged = 268;
constexpr int kSeekableChanged = 269;
} // namespace MediaEvent

// What one framework event holds, copied out of it while the framework still owns it.
struct MediaEventInfo {
    int type = 0;
    int64_t timeMs = -1;   // kTimeChanged: the new playback time
    float position = -1.f; // kPositionChanged: the new position, 0..1
    float cache = -1.f;    // kBuffering: how full the input cache is, in percent
};

// Runs on the framework's own threads and must only hand the event on (post, queue)
// without waiting for anything and without calling the framework: the window thread can be
// inside Stop, which waits for these threads while it holds the player.
using MediaEventCallback = void (*)(const MediaEventInfo& event, void* user);

// One media framework instance with one player, drawn into one native window. The
// framework library is opened by each channel and every function is looked up by name
// when it is called. When the library or any creation step is missing the channel stays
// inert: every call does nothing and returns the value given below for that case.
class CMediaChannel {
public:
    static constexpr int kInitialVolume = 200;

    static QByteArray DefaultLibraryName();
    // "-I dummy --ignore-config --plugin-path=./plugins".
    static QStringList DefaultArguments();

    explicit CMediaChannel(const QStringList& arguments = DefaultArguments(),
                           const QByteArray& libraryName = DefaultLibraryName());
    ~CMediaChannel();

    CMediaChannel(const CMediaChannel&) = delete;
    CMediaChannel& operator=(const CMediaChannel&) = delete;

    // Attaches callback to the twelve player events in place of whatever was attached;
    // nullptr detaches. Once it returns no event reaches the previous callback any more.
    // The callback is kept so that Recreate attaches it again.
    void AttachEvents(MediaEventCallback callback, void* user);
    // A native window id (X11 window) to draw the video into.
    void SetWindow(uintptr_t windowId);
    // Replaces the media on the player without starting it. A file that cannot be played
    // shows up later as an error event.
    void Open(const QByteArray& utf8Path);
    // The framework's result (0 = started); -1 when not loaded.
    int Play();
    // Never waits: a pause asked for while the player still opens the media is carried out
    // when the player reports that it plays.
    void Pause();
    void Stop();
    // Milliseconds of the current media; -1 when not loaded.
    int64_t GetLength() const;
    int64_t GetTime() const;
    void SetTime(int64_t ms);
    // Shows the next frame and holds the player paused there; Play resumes.
    void NextFrame();
    // The framework's result (0 = done); -1 when not loaded.
    int SetRate(float rate);
    // Plays at a rate a little off the set one, to keep in step with another channel; Rate()
    // still gives the set rate, and the next SetRate replaces this one.
    int ApplyRateCorrection(float rate);
    // Green text over the video until it is disabled; 1, or 0 when not loaded.
    int ShowSpeedOverlay(const QByteArray& text, int size, bool enable);
    // Throws the framework instance away and makes a fresh one with no media and no
    // window, so the channel shows no picture. 1 when done; 0 when not loaded or when no
    // media was opened since creation or the last Recreate.
    int Recreate();
    // Volume 0..200, 100 being the media's own level.
    void SetVolume(int volume);
    void SetMute(bool on);
    // Writes the picture shown now, at the video's own size, to utf8Path in the format of
    // its extension (".jpg"/".jpeg" JPEG, otherwise PNG). False when nothing was written.
    bool TakeSnapshot(const QByteArray& utf8Path);

    bool IsLoaded() const { return m_loaded; }
    bool IsPlaying() const { return m_playing; }
    bool IsPaused() const { return m_paused; }
    int Volume() const { return m_volume; }
    float Rate() const { return m_rate; }
    QByteArray Path() const { return m_path; }

private:
    template <typename Fn> Fn Resolve(const char* name) const;
    bool CreatePlayer();
    void ReleasePlayer();
    bool SnapshotToPng(const QString& pngPath);
    void DetachEvents();
    void SetPause();
    void ForgetCommandsInFlight();
    void OnPlayingReported(unsigned generation);
    static void OnFrameworkEvent(const libvlc_event_t* event, void* self);
    static void OnPlayerPlaying(const libvlc_event_t* event, void* self);

    libvlc_instance_t* m_instance = nullptr;
    libvlc_media_player_t* m_player = nullptr;
    libvlc_media_t* m_media = nullptr;
    libvlc_event_manager_t* m_eventManager = nullptr;
    void* m_callbackUser = nullptr;
    MediaEventCallback m_callback = nullptr;
    // Held while an event is handed on, so that changing the callback waits for it.
    std::mutex m_callbackMutex;
    bool m_eventsAttached = false;
    // Lives on the thread that created the channel; the framework's threads queue work for
    // that thread through it.
    QObject m_ownerThread;
    // Counts the commands that start or end a media, so that a report of the player that
    // arrives after the next such command is not taken for the newer media's.
    std::atomic<unsigned> m_commandGeneration{0};
    bool m_awaitingPlaying = false;
    bool m_pauseDeferred = false;
    DynamicLibrary m_module;
    QStringList m_arguments;
    QByteArray m_path;
    bool m_loaded = true;
    bool m_playing = false;
    bool m_paused = true;
    int m_volume = kInitialVolume;
    float m_rate = 1.0f;
};
