#include "playback/CMediaChannel.h"

#include "platform/AtomicFile.h"
#include "playback/PlaybackLog.h"

#include <vlc/vlc.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryFile>

#include <array>
#include <vector>

static_assert(MediaEvent::kMediaStateChanged == libvlc_MediaStateChanged);
static_assert(MediaEvent::kMediaChanged == libvlc_MediaPlayerMediaChanged);
static_assert(MediaEvent::kOpening == libvlc_MediaPlayerOpening);
static_assert(MediaEvent::kBuffering == libvlc_MediaPlayerBuffering);
static_assert(MediaEvent::kPlaying == libvlc_MediaPlayerPlaying);
static_assert(MediaEvent::kPaused == libvlc_MediaPlayerPaused);
static_assert(MediaEvent::kStopped == libvlc_MediaPlayerStopped);
static_assert(MediaEvent::kEndReached == libvlc_MediaPlayerEndReached);
static_assert(MediaEvent::kEncounteredError == libvlc_MediaPlayerEncounteredError);
static_assert(MediaEvent::kTimeChanged == libvlc_MediaPlayerTimeChanged);
static_assert(MediaEvent::kPositionChanged == libvlc_MediaPlayerPositionChanged);
static_assert(MediaEvent::kSeekableChanged == libvlc_MediaPlayerSeekableChanged);

// Looks a framework function up by its exported name, typed from the framework's own
// declaration. The declaration is only used for its type: nothing is linked.
#define VLC_FUNCTION(name) Resolve<decltype(&name)>(#name)

namespace {

// The order in which the events are attached.
constexpr std::array kAttachedEvents = {
    MediaEvent::kPositionChanged,   MediaEvent::kSeekableChanged, MediaEvent::kTimeChanged,
    MediaEvent::kMediaStateChanged, MediaEvent::kMediaChanged,    MediaEvent::kOpening,
    MediaEvent::kBuffering,         MediaEvent::kPlaying,         MediaEvent::kPaused,
    MediaEvent::kStopped,           MediaEvent::kEndReached,      MediaEvent::kEncounteredError,
};

constexpr const char* kHardwareDecodingOption = ":ffmpeg-hw";
constexpr const char* kPluginFolder = "plugins";
constexpr const char* kPluginPathVariable = "VLC_PLUGIN_PATH";
constexpr unsigned kFirstVideoOutput = 0;
constexpr unsigned kVideoOwnSize = 0;
constexpr int kJpegQuality = 90;
constexpr int kOverlayOrigin = 0;
constexpr int kOverlayOpacity = 255;
// Pure green: the framework uses the low 24 bits.
constexpr int kOverlayColor = static_cast<int>(0xFF00FF00u);
constexpr int kOverlayNoTimeout = -1;

// The framework no longer knows "--plugin-path" and only warns about it; the variable
// gives plug-ins shipped beside the program the same chance. Without that folder the
// framework finds its system plug-ins by itself.
void PointFrameworkAtLocalPlugins() {
    const QFileInfo folder(QString::fromLatin1(kPluginFolder));
    if (!folder.isDir())
        return;
    const QByteArray path = QFile::encodeName(folder.absoluteFilePath());
    if (qgetenv(kPluginPathVariable) != path)
        qputenv(kPluginPathVariable, path);
}

} // namespace

QByteArray CMediaChannel::DefaultLibraryName() {
#if defined(Q_OS_WIN)
    return QByteArrayLiteral("libvlc.dll");
#elif defined(Q_OS_MACOS)
    return QByteArrayLiteral("libvlc.dylib");
#else
    return QByteArrayLiteral("libvlc.so.5");
#endif
}

QStringList CMediaChannel::DefaultArguments() {
    return {QStringLiteral("-I"), QStringLiteral("dummy"), QStringLiteral("--ignore-config"),
            QStringLiteral("--plugin-path=./plugins")};
}

CMediaChannel::CMediaChannel(const QStringList& arguments, const QByteArray& libraryName)
    : m_module(libraryName), m_arguments(arguments) {
    m_loaded = m_module.IsLoaded() && CreatePlayer();
    if (!m_module.IsLoaded())
        qCDebug(lcPlayback) << "media framework" << libraryName << "could not be loaded";
    else if (!m_loaded)
        qCDebug(lcPlayback) << "media framework refused to start with" << m_arguments;
}

CMediaChannel::~CMediaChannel() {
    // Detaching first: once the listeners are gone no framework thread can reach this
    // object, and the releases below cannot report into it.
    ReleasePlayer();
    m_module.Unload();
}

template <typename Fn> Fn CMediaChannel::Resolve(const char* name) const {
    return reinterpret_cast<Fn>(m_module.Resolve(name));
}

bool CMediaChannel::CreatePlayer() {
    const auto newInstance = VLC_FUNCTION(libvlc_new);
    const auto newPlayer = VLC_FUNCTION(libvlc_media_player_new);
    const auto eventManager = VLC_FUNCTION(libvlc_media_player_event_manager);
    const auto setVolume = VLC_FUNCTION(libvlc_audio_set_volume);
    if (!newInstance || !newPlayer || !eventManager || !setVolume)
        return false;

    PointFrameworkAtLocalPlugins();
    std::vector<QByteArray> storage;
    std::vector<const char*> argv;
    for (const QString& argument : m_arguments)
        storage.push_back(argument.toUtf8());
    for (const QByteArray& argument : storage)
        argv.push_back(argument.constData());

    m_instance = newInstance(static_cast<int>(argv.size()), argv.data());
    if (!m_instance)
        return false;
    m_player = newPlayer(m_instance);
    if (!m_player)
        return false;
    m_eventManager = eventManager(m_player);
    if (!m_eventManager)
        return false;
    // The channel's own listener, beside whatever AttachEvents adds: a deferred pause
    // depends on it whether or not anyone else listens.
    const auto attach = VLC_FUNCTION(libvlc_event_attach);
    if (!attach || attach(m_eventManager, libvlc_MediaPlayerPlaying,
                          &CMediaChannel::OnPlayerPlaying, this) != 0)
        return false;
    setVolume(m_player, m_volume);
    return true;
}

void CMediaChannel::ReleasePlayer() {
    DetachEvents();
    if (m_eventManager) {
        if (const auto detach = VLC_FUNCTION(libvlc_event_detach))
            detach(m_eventManager, libvlc_MediaPlayerPlaying, &CMediaChannel::OnPlayerPlaying,
                   this);
    }
    ForgetCommandsInFlight();
    if (m_media) {
        if (const auto release = VLC_FUNCTION(libvlc_media_release))
            release(m_media);
        m_media = nullptr;
    }
    if (m_player) {
        if (const auto release = VLC_FUNCTION(libvlc_media_player_release))
            release(m_player);
        m_player = nullptr;
    }
    m_eventManager = nullptr;
    if (m_instance) {
        if (const auto release = VLC_FUNCTION(libvlc_release))
            release(m_instance);
        m_instance = nullptr;
    }
}

void CMediaChannel::OnFrameworkEvent(const libvlc_event_t* event, void* self) {
    auto* channel = static_cast<CMediaChannel*>(self);
    MediaEventInfo info;
    info.type = event->type;
    switch (event->type) {
    case libvlc_MediaPlayerTimeChanged:
        info.timeMs = event->u.media_player_time_changed.new_time;
        break;
    case libvlc_MediaPlayerPositionChanged:
        info.position = event->u.media_player_position_changed.new_position;
        break;
    case libvlc_MediaPlayerBuffering:
        info.cache = event->u.media_player_buffering.new_cache;
        break;
    default:
        break;
    }
    const std::lock_guard lock(channel->m_callbackMutex);
    if (channel->m_callback)
        channel->m_callback(info, channel->m_callbackUser);
}

void CMediaChannel::OnPlayerPlaying(const libvlc_event_t*, void* self) {
    auto* channel = static_cast<CMediaChannel*>(self);
    // Pausing from here could wait for the player that Stop holds on the window thread
    // while Stop waits for this thread; the owner's thread does it instead.
    const unsigned generation = channel->m_commandGeneration.load();
    QMetaObject::invokeMethod(
        &channel->m_ownerThread, [channel, generation] { channel->OnPlayingReported(generation); },
        Qt::QueuedConnection);
}

void CMediaChannel::OnPlayingReported(unsigned generation) {
    if (generation != m_commandGeneration.load())
        return;
    m_awaitingPlaying = false;
    if (m_pauseDeferred) {
        m_pauseDeferred = false;
        SetPause();
    }
}

void CMediaChannel::ForgetCommandsInFlight() {
    ++m_commandGeneration;
    m_awaitingPlaying = false;
    m_pauseDeferred = false;
}

void CMediaChannel::AttachEvents(MediaEventCallback callback, void* user) {
    if (!m_loaded)
        return;
    DetachEvents();
    {
        const std::lock_guard lock(m_callbackMutex);
        m_callback = callback;
        m_callbackUser = user;
    }
    const auto attach = VLC_FUNCTION(libvlc_event_attach);
    if (!attach || !callback)
        return;
    // The framework gets this channel as its user pointer so that no framework type
    // leaves this file.
    for (const int type : kAttachedEvents)
        attach(m_eventManager, type, &CMediaChannel::OnFrameworkEvent, this);
    m_eventsAttached = true;
}

void CMediaChannel::DetachEvents() {
    if (!m_eventsAttached)
        return;
    m_eventsAttached = false;
    // The framework hands events on under the lock that detaching takes, so none is in
    // flight once this returns.
    if (const auto detach = VLC_FUNCTION(libvlc_event_detach)) {
        for (const int type : kAttachedEvents)
            detach(m_eventManager, type, &CMediaChannel::OnFrameworkEvent, this);
    }
}

void CMediaChannel::SetWindow(uintptr_t windowId) {
    if (!m_loaded)
        return;
    if (const auto setWindow = VLC_FUNCTION(libvlc_media_player_set_xwindow))
        setWindow(m_player, static_cast<uint32_t>(windowId));
}

void CMediaChannel::Open(const QByteArray& utf8Path) {
    if (!m_loaded)
        return;
    const auto setVolume = VLC_FUNCTION(libvlc_audio_set_volume);
    const auto newMedia = VLC_FUNCTION(libvlc_media_new_path);
    const auto addOption = VLC_FUNCTION(libvlc_media_add_option);
    const auto setMedia = VLC_FUNCTION(libvlc_media_player_set_media);
    const auto keyInput = VLC_FUNCTION(libvlc_video_set_key_input);
    const auto mouseInput = VLC_FUNCTION(libvlc_video_set_mouse_input);
    const auto releaseMedia = VLC_FUNCTION(libvlc_media_release);
    if (!setVolume || !newMedia || !addOption || !setMedia || !keyInput || !mouseInput ||
        !releaseMedia)
        return;

    setVolume(m_player, m_volume);
    m_path = utf8Path;
    libvlc_media_t* media = newMedia(m_instance, m_path.constData());
    if (media)
        addOption(media, kHardwareDecodingOption);
    setMedia(m_player, media);
    ForgetCommandsInFlight();
    // The player holds its own reference to the media it plays; only the last handle is
    // kept here, so the one it replaces is let go.
    if (m_media)
        releaseMedia(m_media);
    m_media = media;
    // Keys and clicks on the video go to the application's window, not to the framework.
    keyInput(m_player, 0);
    mouseInput(m_player, 0);
}

int CMediaChannel::Play() {
    if (!m_loaded)
        return -1;
    const auto play = VLC_FUNCTION(libvlc_media_player_play);
    const auto state = VLC_FUNCTION(libvlc_media_player_get_state);
    if (!play || !state)
        return -1;
    const bool alreadyPlaying = state(m_player) == libvlc_Playing;
    ForgetCommandsInFlight();
    const int result = play(m_player);
    // Until the player reports that it plays, it ignores a pause.
    m_awaitingPlaying = result == 0 && !alreadyPlaying;
    m_playing = true;
    m_paused = false;
    return result;
}

void CMediaChannel::Pause() {
    if (!m_loaded)
        return;
    m_playing = false;
    m_paused = true;
    if (m_awaitingPlaying) {
        qCDebug(lcPlayback) << "pause kept until" << m_path << "plays";
        m_pauseDeferred = true;
    } else
        SetPause();
}

void CMediaChannel::SetPause() {
    // Asks for the paused state rather than toggling it: a toggle given while the
    // framework is not yet playing would resume instead of pause.
    if (const auto setPause = VLC_FUNCTION(libvlc_media_player_set_pause))
        setPause(m_player, 1);
}

void CMediaChannel::Stop() {
    if (!m_loaded)
        return;
    if (const auto stop = VLC_FUNCTION(libvlc_media_player_stop))
        stop(m_player);
    ForgetCommandsInFlight();
    m_playing = false;
    m_paused = false;
}

int64_t CMediaChannel::GetLength() const {
    if (!m_loaded)
        return -1;
    const auto length = VLC_FUNCTION(libvlc_media_player_get_length);
    return length ? length(m_player) : -1;
}

int64_t CMediaChannel::GetTime() const {
    if (!m_loaded)
        return -1;
    const auto time = VLC_FUNCTION(libvlc_media_player_get_time);
    return time ? time(m_player) : -1;
}

void CMediaChannel::SetTime(int64_t ms) {
    if (!m_loaded)
        return;
    if (const auto setTime = VLC_FUNCTION(libvlc_media_player_set_time))
        setTime(m_player, ms);
}

void CMediaChannel::NextFrame() {
    if (!m_loaded)
        return;
    // A player still opening its media ignores a frame step as it ignores a pause; it is held
    // where it starts instead.
    if (m_awaitingPlaying) {
        Pause();
        return;
    }
    if (const auto nextFrame = VLC_FUNCTION(libvlc_media_player_next_frame))
        nextFrame(m_player);
    m_playing = false;
    m_paused = true;
}

int CMediaChannel::SetRate(float rate) {
    if (!m_loaded)
        return -1;
    m_rate = rate;
    const auto setRate = VLC_FUNCTION(libvlc_media_player_set_rate);
    return setRate ? setRate(m_player, rate) : -1;
}

int CMediaChannel::ApplyRateCorrection(float rate) {
    if (!m_loaded)
        return -1;
    const auto setRate = VLC_FUNCTION(libvlc_media_player_set_rate);
    return setRate ? setRate(m_player, rate) : -1;
}

int CMediaChannel::ShowSpeedOverlay(const QByteArray& text, int size, bool enable) {
    if (!m_loaded)
        return 0;
    const auto setString = VLC_FUNCTION(libvlc_video_set_marquee_string);
    const auto setInt = VLC_FUNCTION(libvlc_video_set_marquee_int);
    if (!setString || !setInt)
        return 0;
    setString(m_player, libvlc_marquee_Text, text.constData());
    setInt(m_player, libvlc_marquee_Size, size);
    setInt(m_player, libvlc_marquee_Opacity, kOverlayOpacity);
    setInt(m_player, libvlc_marquee_Color, kOverlayColor);
    setInt(m_player, libvlc_marquee_Timeout, kOverlayNoTimeout);
    setInt(m_player, libvlc_marquee_X, kOverlayOrigin);
    setInt(m_player, libvlc_marquee_Y, kOverlayOrigin);
    setInt(m_player, libvlc_marquee_Enable, enable ? 1 : 0);
    return 1;
}

int CMediaChannel::Recreate() {
    if (!m_loaded || !m_media)
        return 0;
    ReleasePlayer();
    if (!CreatePlayer()) {
        m_loaded = false;
        return 0;
    }
    if (m_callback)
        AttachEvents(m_callback, m_callbackUser);
    return 1;
}

void CMediaChannel::SetVolume(int volume) {
    if (!m_loaded)
        return;
    if (const auto setVolume = VLC_FUNCTION(libvlc_audio_set_volume))
        setVolume(m_player, volume);
    m_volume = volume;
}

void CMediaChannel::SetMute(bool on) {
    if (!m_loaded)
        return;
    if (const auto setMute = VLC_FUNCTION(libvlc_audio_set_mute))
        setMute(m_player, on ? 1 : 0);
}

bool CMediaChannel::SnapshotToPng(const QString& pngPath) {
    const auto snapshot = VLC_FUNCTION(libvlc_video_take_snapshot);
    if (!snapshot)
        return false;
    const QByteArray path = QFile::encodeName(pngPath);
    return snapshot(m_player, kFirstVideoOutput, path.constData(), kVideoOwnSize, kVideoOwnSize) ==
           0;
}

bool CMediaChannel::TakeSnapshot(const QByteArray& utf8Path) {
    if (!m_loaded)
        return false;
    const QString target = QString::fromUtf8(utf8Path);
    // The framework always writes PNG, reports success even when it wrote nothing and
    // truncates the target first; so it writes to a fresh temporary file that is checked
    // before anything replaces the caller's file.
    QTemporaryFile png(QDir::tempPath() + QStringLiteral("/kestrola-snapshot-XXXXXX.png"));
    if (!png.open())
        return false;
    png.close();
    if (!SnapshotToPng(png.fileName()))
        return false;
    QImage picture;
    if (!picture.load(png.fileName(), "PNG"))
        return false;

    const QByteArray format = QFileInfo(target).suffix().toLower().toLatin1();
    QByteArray bytes;
    if (format == "jpg" || format == "jpeg") {
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "JPEG", kJpegQuality))
            return false;
    } else {
        if (!png.open())
            return false;
        bytes = png.readAll();
    }
    return WriteFileAtomically(target, bytes);
}
