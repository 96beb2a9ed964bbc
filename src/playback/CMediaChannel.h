#pragma once

#include "platform/DynamicLibrary.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

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

// Runs on the framework's own threads. It may call GetTime and GetLength of its channel
// and must otherwise only hand the event on (post, queue) without waiting for anything:
// the window thread can be inside Stop, which waits for these threads.
using MediaEventCallback = void (*)(int eventType, void* user);

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

    // Attaches callback to the twelve player events; kept so that Recreate attaches it
    // again.
    void AttachEvents(MediaEventCallback callback, void* user);
    // A native window id (X11 window) to draw the video into.
    void SetWindow(uintptr_t windowId);
    // Replaces the media on the player without starting it. A file that cannot be played
    // shows up later as an error event.
    void Open(const QByteArray& utf8Path);
    // The framework's result (0 = started); -1 when not loaded.
    int Play();
    void Pause();
    void Stop();
    // Milliseconds of the current media; -1 when not loaded.
    int64_t GetLength() const;
    int64_t GetTime() const;
    void SetTime(int64_t ms);
    // The framework's result (0 = done); -1 when not loaded.
    int SetRate(float rate);
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
    void WaitWhileOpening() const;
    static void OnFrameworkEvent(const libvlc_event_t* event, void* self);

    libvlc_instance_t* m_instance = nullptr;
    libvlc_media_player_t* m_player = nullptr;
    libvlc_media_t* m_media = nullptr;
    libvlc_event_manager_t* m_eventManager = nullptr;
    void* m_callbackUser = nullptr;
    MediaEventCallback m_callback = nullptr;
    DynamicLibrary m_module;
    QStringList m_arguments;
    QByteArray m_path;
    bool m_loaded = true;
    bool m_playing = false;
    bool m_paused = true;
    int m_volume = kInitialVolume;
    float m_rate = 1.0f;
};
