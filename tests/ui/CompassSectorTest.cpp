#include "ui/controls/CompassSector.h"

#include <gtest/gtest.h>

namespace {

constexpr int kEightDials = 8;

TEST(CompassSector, HeadingsPickTheDialTurnedToTheDirectionOfTravel) {
    const struct {
        int degrees;
        int index;
    } cases[] = {
        {0, 1},
        {22, 1},
        {24, 8},
        {66, 8},
        {68, 7},
        {90, 7},
        {112, 7},
        {114, 6},
        {156, 6},
        {158, 5},
        {180, 5},
        {202, 5},
        {204, 4},
        {246, 4},
        {248, 3},
        {292, 3},
        {294, 2},
        {336, 2},
        {338, 1},
        {358, 1},
        // The byte goes beyond 179: a full turn and more wraps around.
        {360, 1},
        {450, 7},
        {510, 6},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompassImageIndex(static_cast<uint8_t>(c.degrees / 2), kEightDials), c.index)
            << c.degrees;
}

TEST(CompassSector, SectorsWrapOnTheImagesActuallyLoaded) {
    EXPECT_EQ(CompassImageIndex(45, 4), 3);
    EXPECT_EQ(CompassImageIndex(45, 1), 1);
    EXPECT_EQ(CompassImageIndex(45, 0), 0);
}

} // namespace
