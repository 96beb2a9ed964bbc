#include "ui/window/WindowSizes.h"

#include <gtest/gtest.h>

namespace {

const QRect kFullHd(0, 0, 1920, 1080);
// A second monitor to the right of the first, so offsets must add the monitor's origin.
const QRect kRightMonitor(1920, 0, 1280, 1024);
const QRect kNetbook(0, 0, 1024, 600);

TEST(WindowSizes, PresetsComeFromTheWholeMonitor) {
    const struct {
        WindowPreset preset;
        QRect monitor;
        QRect window;
    } cases[] = {
        {WindowPreset::Small, kFullHd, QRect(560, 260, 800, 560)},
        {WindowPreset::Medium, kFullHd, QRect(240, 135, 1536, 864)},
        {WindowPreset::Large, kFullHd, kFullHd},
        {WindowPreset::Small, kRightMonitor, QRect(2160, 232, 800, 560)},
        {WindowPreset::Medium, kRightMonitor, QRect(2080, 128, 1024, 819)},
        // Four fifths of 600 is less than the smallest window.
        {WindowPreset::Medium, kNetbook, QRect(128, 75, 819, 560)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PresetWindowRect(c.preset, c.monitor), c.window)
            << static_cast<int>(c.preset) << " on " << c.monitor.width();
}

TEST(WindowSizes, GripNeverMakesTheWindowSmallerThan800By560) {
    EXPECT_EQ(GripWindowSize(QPoint(500, 300)), QSize(800, 560));
    EXPECT_EQ(GripWindowSize(QPoint(1000, 700)), QSize(1000, 700));
    EXPECT_EQ(GripWindowSize(QPoint(-5, 900)), QSize(800, 900));
}

TEST(WindowSizes, MaximizeCoversTheMonitorAndRestoreReturnsToTheWindow) {
    MaximizeToggle toggle;
    const QRect window(100, 50, 1000, 700);

    EXPECT_EQ(toggle.Toggle(window, kFullHd), kFullHd);
    EXPECT_TRUE(toggle.IsMaximized());
    EXPECT_EQ(toggle.Toggle(kFullHd, kFullHd), window);
    EXPECT_FALSE(toggle.IsMaximized());

    // A preset size while maximized: the next toggle maximizes again and remembers the
    // preset's rectangle.
    toggle.Toggle(window, kFullHd);
    toggle.Clear();
    const QRect small(560, 260, 800, 560);
    EXPECT_EQ(toggle.Toggle(small, kFullHd), kFullHd);
    EXPECT_EQ(toggle.Toggle(kFullHd, kFullHd), small);
}

} // namespace
