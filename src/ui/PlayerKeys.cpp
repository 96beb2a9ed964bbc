#include "ui/PlayerKeys.h"

namespace {

constexpr PlayerKey kKeys[] = {
    {KeyCommand::PlayPause, Qt::Key_Space, 241, true},
    {KeyCommand::Forward, Qt::Key_Right, 242, false},
    {KeyCommand::Back, Qt::Key_Left, 243, false},
    {KeyCommand::FrameStep, Qt::Key_Period, 244, false},
    {KeyCommand::Faster, Qt::Key_BracketRight, 186, false},
    {KeyCommand::Slower, Qt::Key_BracketLeft, 184, false},
    {KeyCommand::NormalSpeed, Qt::Key_Backspace, 245, false},
    {KeyCommand::Mute, Qt::Key_M, 188, false},
    {KeyCommand::VolumeUp, Qt::Key_Up, 246, true},
    {KeyCommand::VolumeDown, Qt::Key_Down, 247, true},
    {KeyCommand::Snapshot, Qt::Key_S, 180, false},
    {KeyCommand::NextRecording, Qt::Key_PageDown, 248, true},
    {KeyCommand::PreviousRecording, Qt::Key_PageUp, 249, true},
    {KeyCommand::Open, Qt::CTRL | Qt::Key_O, 250, false},
    {KeyCommand::Kml, Qt::CTRL | Qt::Key_E, 191, false},
    {KeyCommand::About, Qt::Key_F1, 198, false},
};

} // namespace

std::span<const PlayerKey> PlayerKeys() {
    return kKeys;
}
