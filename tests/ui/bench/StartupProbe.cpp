#include "StartupProbe.h"

#include "ui/controls/CVideoStatic.h"
#include "ui/window/CKTRDlg.h"

#include <QApplication>
#include <QWindow>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <numeric>

namespace {

// The clocks move in steps of about a quarter second, so the offset is the mean of the
// readings over the last seconds of the playing time.
constexpr int kOffsetWindowMs = 3000;
constexpr int kOffsetEveryMs = 50;

void Report(const QByteArray& what) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::printf(
        "probe %lld %s\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
        what.constData());
    std::fflush(stdout);
}

QByteArray SurfaceId(const CKTRDlg& window, ControlId id) {
    const auto* surface = qobject_cast<const CVideoStatic*>(window.Control(id));
    return QByteArray::number(surface ? quint64(surface->NativeWindowId()) : 0);
}

void InstallProbe() {
    StartupProbe::InstallIfAsked();
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)

void StartupProbe::InstallIfAsked() {
    const int seconds = qEnvironmentVariableIntValue(kEnvironmentVariable);
    if (seconds <= 0)
        return;
    auto* probe = new StartupProbe(seconds);
    probe->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(probe);
}

StartupProbe::StartupProbe(int playSeconds)
    : m_playSeconds(playSeconds), m_input(STDIN_FILENO, QSocketNotifier::Read) {
    connect(&m_input, &QSocketNotifier::activated, this, &StartupProbe::ReadInput);
}

bool StartupProbe::eventFilter(QObject* watched, QEvent* event) {
    if (m_window || event->type() != QEvent::Expose)
        return false;
    const auto* exposed = qobject_cast<QWindow*>(watched);
    if (!exposed || !exposed->isExposed())
        return false;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<CKTRDlg*>(top);
        if (window && window->windowHandle() == exposed) {
            m_window = window;
            Report("shown");
            Report("surfaces " + SurfaceId(*window, ControlId::FrontVideo) + ' ' +
                   SurfaceId(*window, ControlId::RearVideo));
            break;
        }
    }
    return false;
}

void StartupProbe::ReadInput() {
    char buffer[256];
    const ssize_t count = read(STDIN_FILENO, buffer, sizeof buffer);
    if (count > 0) {
        m_inputLine.append(buffer, count);
        if (m_inputLine.contains("playing\n") && !m_playing.isValid()) {
            m_playing.start();
            m_offsetTimer.start(kOffsetEveryMs, this);
        }
        return;
    }
    m_input.setEnabled(false);
    if (m_window)
        m_window->close();
    else
        QCoreApplication::quit();
}

void StartupProbe::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_offsetTimer.timerId())
        SampleOffset();
}

// Readings are taken only while both channels play, so the switch from one recording to the
// next does not count as an offset.
void StartupProbe::SampleOffset() {
    if (!m_window)
        return;
    const qint64 elapsed = m_playing.elapsed();
    const qint64 playMs = qint64(m_playSeconds) * 1000;
    if (elapsed >= playMs) {
        ReportOffset();
        return;
    }
    if (elapsed < playMs - kOffsetWindowMs)
        return;
    CMediaChannel& front = m_window->frontChannel();
    CMediaChannel& rear = m_window->rearChannel();
    const int64_t frontMs = front.GetTime();
    const int64_t rearMs = rear.GetTime();
    if (front.IsPlaying() && rear.IsPlaying() && frontMs > 0 && rearMs > 0)
        m_offsets.push_back(double(frontMs - rearMs));
}

void StartupProbe::ReportOffset() {
    m_offsetTimer.stop();
    if (m_offsets.empty()) {
        Report("offset none");
        return;
    }
    const double mean =
        std::accumulate(m_offsets.begin(), m_offsets.end(), 0.0) / double(m_offsets.size());
    Report("offset " + QByteArray::number(mean, 'f', 1));
}
