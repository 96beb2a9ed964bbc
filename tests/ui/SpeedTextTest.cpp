#include "ui/controls/SpeedText.h"

#include <gtest/gtest.h>

namespace {

TEST(SpeedText, NumberIsPaddedToThreeAndMilesAreTenSixteenths) {
    const struct {
        uint16_t speedKmh;
        bool kmh;
        const char* number;
        const char* unit;
    } cases[] = {
        {0, true, "  0", "Km/h"},     {5, true, "  5", "Km/h"},       {100, true, "100", "Km/h"},
        {1000, true, "1000", "Km/h"}, {65535, true, "65535", "Km/h"}, {0, false, "  0", "MPH"},
        {15, false, "  9", "MPH"},    {100, false, " 62", "MPH"},     {1000, false, "625", "MPH"},
        {1600, false, "1000", "MPH"}, {65535, false, "40959", "MPH"},
    };
    for (const auto& c : cases) {
        const SpeedTexts texts = MakeSpeedTexts(c.speedKmh, c.kmh);
        EXPECT_EQ(texts.number, QString::fromLatin1(c.number)) << c.speedKmh << " " << c.kmh;
        EXPECT_EQ(texts.unit, QString::fromLatin1(c.unit));
    }
}

} // namespace
