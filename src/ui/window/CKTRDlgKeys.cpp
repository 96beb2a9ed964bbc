// The window's keys: each does what a command of the control bar does, or moves playback by
// a step the controller knows.
#include "ui/window/CKTRDlg.h"

#include "ui/controls/CGdipButton.h"
#include "ui/controls/CMySliderControl.h"
#include "ui/window/WindowShortcuts.h"

namespace {

// A twentieth of the volume slider's range per press.
constexpr int kVolumeKeyStep = 5;

} // namespace

void CKTRDlg::SetUpKeys() {
    m_keys = new WindowShortcuts(this);
    for (const PlayerKey& key : PlayerKeys())
        m_keys->Add(key.keys, key.listKeepsIt,
                    [this, command = key.command] { RunKeyCommand(command); });
}

void CKTRDlg::RunKeyCommand(KeyCommand command) {
    switch (command) {
    case KeyCommand::PlayPause:
        m_controller.OnPlayPause();
        break;
    case KeyCommand::Forward:
        m_controller.OnSkip(PlaybackController::kSkipMs);
        break;
    case KeyCommand::Back:
        m_controller.OnSkip(-PlaybackController::kSkipMs);
        break;
    case KeyCommand::FrameStep:
        m_controller.OnFrameStep();
        break;
    case KeyCommand::Faster:
        m_controller.OnFaster();
        break;
    case KeyCommand::Slower:
        m_controller.OnSlower();
        break;
    case KeyCommand::NormalSpeed:
        m_controller.OnNormalSpeed();
        break;
    case KeyCommand::Mute:
        // The button holds whether the sound is off, so the key presses it.
        Button(ControlId::SoundButton)->click();
        break;
    case KeyCommand::VolumeUp:
        m_volumeSlider->StepBy(kVolumeKeyStep);
        break;
    case KeyCommand::VolumeDown:
        m_volumeSlider->StepBy(-kVolumeKeyStep);
        break;
    case KeyCommand::Snapshot:
        m_controller.OnSnapshot();
        break;
    case KeyCommand::NextRecording:
        m_controller.OnNextRecording();
        break;
    case KeyCommand::PreviousRecording:
        m_controller.OnPreviousRecording();
        break;
    case KeyCommand::Open:
        m_controller.OnOpen();
        break;
    case KeyCommand::Kml:
        ExportKml();
        break;
    case KeyCommand::About:
        RunAboutBox();
        break;
    }
}
