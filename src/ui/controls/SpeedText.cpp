#include "ui/controls/SpeedText.h"

namespace {

constexpr int kMphNumerator = 10;
constexpr int kMphDenominator = 16;

} // namespace

SpeedTexts MakeSpeedTexts(uint16_t speedKmh, bool kmh) {
    const int value = kmh ? speedKmh : speedKmh * kMphNumerator / kMphDenominator;
    return {QString::asprintf("%3d", value), kmh ? QStringLiteral("Km/h") : QStringLiteral("MPH")};
}
