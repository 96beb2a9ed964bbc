#pragma once

#include <cstdint>

enum class VideoChannel : int { Front, Rear };

// What the playback controller drives on the window. The controller decides; the window only
// shows. Each call is made on the window thread.
class PlaybackDisplay {
public:
    virtual ~PlaybackDisplay() = default;

    // A channel's video surface, shown while a recording plays on it.
    virtual bool IsVideoSurfaceShown(VideoChannel channel) const = 0;
    virtual void ShowVideoSurface(VideoChannel channel, bool shown) = 0;
    // Paints the surface's own dark ground over the last picture a channel left on it.
    virtual void ClearVideoSurface(VideoChannel channel) = 0;
    // The native window a channel draws into.
    virtual uintptr_t VideoWindowId(VideoChannel channel) const = 0;
    // Fits both surfaces to the picture size of the current entry.
    virtual void FitVideo() = 0;
    // The front surface counts the files examined while a folder is scanned.
    virtual void ShowScanProgress(bool on) = 0;

    // 1 shows the pause picture (playing), 0 the play picture.
    virtual void SetPlayButtonState(int state) = 0;
    // Whether the sound button, after the click that flipped it, asks for sound off.
    virtual bool IsMuteAsked() const = 0;
    // Position 0..1000 along the recording.
    virtual int PositionSliderValue() const = 0;
    virtual void SetPositionSlider(int position) = 0;
    // 0..100.
    virtual int VolumeSliderValue() const = 0;

    virtual void SetGpsLamp(bool lit) = 0;
    // The compass and the speed read-out for a track point with a fix.
    virtual void ShowHeadingAndSpeed(uint8_t headingHalfDeg, uint16_t speedKmh) = 0;
    // The time lies outside the track or its point has no fix: grey compass, blank speed.
    virtual void ShowNoFix() = 0;
    // No track is loaded. firstTime: the first time this happens since start.
    virtual void ShowNoTrack(bool firstTime) = 0;
    // Coordinates as the track point holds them, divided by 100.
    virtual void MoveMapMarker(double latitudeDivided100, double longitudeDivided100) = 0;

    // Whether the G-sensor curve exists and is shown.
    virtual bool HasCurve() const = 0;
    // Leaves the stopped look, takes the recording's length and moves the cursor.
    virtual void MoveCurveCursor(double lengthMs, int32_t timeMs) = 0;
    virtual void SetCurveCursor(int32_t timeMs) = 0;
    virtual void SetCurveStopped(bool stopped) = 0;

    // "Media player encountered a error."
    virtual void ShowPlayerError() = 0;
    // "No Files in list"
    virtual void ShowNoFilesMessage() = 0;
};
