#include "ui/controls/ApplyTooltipTexts.h"

#include "app/LoadText.h"
#include "ui/controls/CKtcToolTipCtrl.h"
#include "ui/window/ControlIds.h"

#include <QWidget>

#include <array>

namespace {

struct TooltipText {
    ControlId control;
    uint16_t stringId;
};

constexpr uint16_t kCheckMarkIcon = 161;

constexpr std::array kTooltipTexts{
    TooltipText{ControlId::AboutButton, 198},     TooltipText{ControlId::ConfigButton, 183},
    TooltipText{ControlId::DeleteButton, 182},    TooltipText{ControlId::CloseButton, 195},
    TooltipText{ControlId::FastButton, 186},      TooltipText{ControlId::FlipButton, 190},
    TooltipText{ControlId::GSensorButton, 193},   TooltipText{ControlId::KmlButton, 191},
    TooltipText{ControlId::LockButton, 194},      TooltipText{ControlId::LoopButton, 189},
    TooltipText{ControlId::MapButton, 192},       TooltipText{ControlId::MaximizeButton, 196},
    TooltipText{ControlId::MinimizeButton, 197},  TooltipText{ControlId::OpenButton, 179},
    TooltipText{ControlId::PlayButton, 134},      TooltipText{ControlId::SaveButton, 181},
    TooltipText{ControlId::SlowButton, 184},      TooltipText{ControlId::SnapButton, 180},
    TooltipText{ControlId::StopButton, 185},      TooltipText{ControlId::SoundButton, 188},
    TooltipText{ControlId::VolumeSlider, 187},    TooltipText{ControlId::SpeedReadout, 199},
    TooltipText{ControlId::SmallSizeButton, 137}, TooltipText{ControlId::MediumSizeButton, 138},
    TooltipText{ControlId::LargeSizeButton, 139},
};

} // namespace

void ApplyTooltipTexts(QWidget& window, CKtcToolTipCtrl& tips, uint16_t languageId) {
    tips.RemoveAllTools();
    tips.ClearTipRecords();
    for (const TooltipText& entry : kTooltipTexts) {
        const int id = static_cast<int>(entry.control);
        auto* control = window.findChild<QWidget*>(QString::number(id));
        if (!control)
            continue;
        const QString text = LoadTextForLanguage(languageId, entry.stringId);
        tips.AddTool(control, text);
        control->setAccessibleName(text);
    }
    for (const TooltipText& entry : kTooltipTexts)
        tips.AddTipRecord({static_cast<int>(entry.control), 0, kCheckMarkIcon});
}
