#pragma once

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>

#include <vector>

class CKTRDlg;

// Rides along inside the real program when the benchmark starts it and talks to the benchmark
// in lines. On stdout: "probe NANOSECONDS shown" when the main window is first exposed,
// "probe NANOSECONDS surfaces FRONT REAR" with the native window ids of the two video
// surfaces, and "probe NANOSECONDS offset MS" (or "offset none"), the front channel's time
// minus the rear channel's, once the playing time has passed. On stdin: "playing" starts the
// playing time; the end of the input closes the main window, which ends the program. Times
// are the monotonic clock's, which the benchmark's process shares.
class StartupProbe : public QObject {
public:
    static constexpr const char* kEnvironmentVariable = "KESTROLA_STARTUP_PROBE";
    // Installs the probe when the environment asks for it: the value is the seconds of
    // playing after which the offset is taken.
    static void InstallIfAsked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    explicit StartupProbe(int playSeconds);
    void ReadInput();
    void SampleOffset();
    void ReportOffset();

    int m_playSeconds;
    QPointer<CKTRDlg> m_window;
    QSocketNotifier m_input;
    QByteArray m_inputLine;
    QBasicTimer m_offsetTimer;
    QElapsedTimer m_playing;
    std::vector<double> m_offsets;
};
