#include "ui/controls/StatusBoardProgress.h"

#include <gtest/gtest.h>

namespace {

TEST(StatusBoardProgress, ValueTextIsThePercentageASpaceAndASign) {
    EXPECT_EQ(ProgressValueText(0), QStringLiteral("0 %"));
    EXPECT_EQ(ProgressValueText(37), QStringLiteral("37 %"));
    EXPECT_EQ(ProgressValueText(100), QStringLiteral("100 %"));
}

TEST(StatusBoardProgress, FilledPartStaysInsideTheBar) {
    const struct {
        int percent;
        int split;
    } cases[] = {{0, 5}, {50, 138}, {99, 269}, {100, 272}, {150, 272}, {-10, 5}};
    for (const auto& c : cases)
        EXPECT_EQ(ProgressSplit(5, 272, c.percent), c.split) << c.percent;
}

} // namespace
