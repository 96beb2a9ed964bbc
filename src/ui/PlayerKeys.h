#pragma once

#include <QKeyCombination>

#include <cstdint>
#include <span>

// What a key of the main window does.
enum class KeyCommand {
    PlayPause,
    Forward,
    Back,
    FrameStep,
    Faster,
    Slower,
    NormalSpeed,
    Mute,
    VolumeUp,
    VolumeDown,
    Snapshot,
    NextRecording,
    PreviousRecording,
    Open,
    Kml,
    About,
};

struct PlayerKey {
    KeyCommand command;
    QKeyCombination keys;
    // What the about box says the key does.
    uint16_t textId;
    // A list with the focus keeps the key: it moves through the rows or ticks one.
    bool listKeepsIt;
};

// The keys of media players, in the order the about box lists them.
std::span<const PlayerKey> PlayerKeys();

namespace PlayerKeyTexts {
constexpr uint16_t kHeading = 240;
} // namespace PlayerKeyTexts
