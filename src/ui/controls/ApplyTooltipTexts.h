#pragma once

#include <cstdint>

class CKtcToolTipCtrl;
class QWidget;

// Gives every control of the window that has a tip its text in the language languageId,
// as tip and as accessible name, with the check-mark icon. Runs again after each change of
// language; controls the window does not have (yet) are left out.
void ApplyTooltipTexts(QWidget& window, CKtcToolTipCtrl& tips, uint16_t languageId);
