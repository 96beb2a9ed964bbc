#include "ui/window/WindowLayout.h"

#include <gtest/gtest.h>

namespace {

constexpr QSize kSmallest(800, 560);
constexpr int kCurveHeight = 72;

LayoutInput Input(const QSize& client) {
    LayoutInput input;
    input.client = client;
    input.curveHeight = kCurveHeight;
    return input;
}

QRect At(const WindowLayout& layout, ControlId id) {
    return layout.controls.at(id);
}

TEST(LayoutControls, SmallestWindowWithBothPanes) {
    const WindowLayout layout = LayoutControls(Input(kSmallest));

    EXPECT_EQ(layout.mapView, QRect(555, 48, 240, 240));
    EXPECT_EQ(At(layout, ControlId::FileList), QRect(555, 293, 240, 203));
    EXPECT_EQ(At(layout, ControlId::FrontPanel), QRect(5, 48, 267, 221));
    EXPECT_EQ(At(layout, ControlId::RearPanel), QRect(272, 48, 277, 221));
    EXPECT_EQ(At(layout, ControlId::PositionSlider), QRect(5, 269, 544, 20));
    EXPECT_EQ(At(layout, ControlId::GSensorCurve), QRect(5, 294, 544, 72));
    EXPECT_EQ(At(layout, ControlId::GroupList), QRect(5, 371, 544, 125));
    EXPECT_EQ(At(layout, ControlId::ProgressBoard), QRect(5, 239, 267, 30));

    EXPECT_EQ(layout.mapSplitter, QRect(555, 48, 240, 448));
    EXPECT_EQ(layout.columnSplitter, QRect(550, 48, 5, 448));
    EXPECT_EQ(layout.listSplitter, QRect(5, 366, 544, 5));

    // Without a picture the surfaces fill their panels inside the edge.
    EXPECT_EQ(At(layout, ControlId::FrontVideo), QRect(7, 50, 263, 217));
    EXPECT_EQ(At(layout, ControlId::RearVideo), QRect(274, 50, 273, 217));
}

TEST(LayoutControls, ButtonsFollowTheWindowEdges) {
    const WindowLayout layout = LayoutControls(Input(QSize(1024, 700)));
    const struct {
        ControlId id;
        QRect rect;
    } cases[] = {
        {ControlId::CloseButton, QRect(992, 2, 25, 25)},
        {ControlId::MaximizeButton, QRect(965, 2, 25, 25)},
        {ControlId::MinimizeButton, QRect(938, 2, 25, 25)},
        {ControlId::AboutButton, QRect(911, 2, 25, 25)},
        {ControlId::LargeSizeButton, QRect(865, 11, 16, 16)},
        {ControlId::MediumSizeButton, QRect(845, 11, 16, 16)},
        {ControlId::SmallSizeButton, QRect(825, 11, 16, 16)},
        {ControlId::OpenButton, QRect(8, 656, 48, 36)},
        {ControlId::SnapButton, QRect(56, 656, 48, 36)},
        {ControlId::SaveButton, QRect(104, 656, 48, 36)},
        {ControlId::DeleteButton, QRect(152, 656, 48, 36)},
        {ControlId::ConfigButton, QRect(200, 656, 48, 36)},
        {ControlId::SlowButton, QRect(268, 652, 40, 40)},
        {ControlId::StopButton, QRect(309, 652, 40, 40)},
        {ControlId::PlayButton, QRect(350, 644, 48, 48)},
        {ControlId::FastButton, QRect(399, 652, 40, 40)},
        {ControlId::SoundButton, QRect(450, 660, 12, 24)},
        {ControlId::VolumeSlider, QRect(464, 664, 80, 20)},
        {ControlId::LoopButton, QRect(829, 660, 32, 32)},
        {ControlId::KmlButton, QRect(863, 660, 32, 32)},
        {ControlId::MapButton, QRect(897, 660, 32, 32)},
        {ControlId::GSensorButton, QRect(931, 660, 32, 32)},
        {ControlId::LockButton, QRect(965, 660, 32, 32)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(At(layout, c.id), c.rect) << static_cast<int>(c.id);
}

TEST(LayoutControls, MapOffGivesTheColumnToTheFileListAndKeepsTheOldSplitter) {
    LayoutInput input = Input(kSmallest);
    input.mapEnabled = false;
    input.previousMapSplitter = QRect(600, 48, 300, 500);
    const WindowLayout layout = LayoutControls(input);

    EXPECT_TRUE(layout.mapView.isNull());
    EXPECT_EQ(At(layout, ControlId::FileList), QRect(555, 48, 240, 448));
    EXPECT_EQ(layout.mapSplitter, QRect(600, 48, 300, 500));
    EXPECT_EQ(At(layout, ControlId::FrontPanel), QRect(5, 48, 267, 221));
}

TEST(LayoutControls, CurveOffGivesItsSpaceToTheVideosAndTheGroupList) {
    LayoutInput input = Input(kSmallest);
    input.gsensorEnabled = false;
    const WindowLayout layout = LayoutControls(input);

    EXPECT_EQ(layout.controls.count(ControlId::GSensorCurve), 0u);
    EXPECT_EQ(At(layout, ControlId::FrontPanel), QRect(5, 48, 267, 293));
    EXPECT_EQ(At(layout, ControlId::PositionSlider), QRect(5, 341, 544, 20));
    EXPECT_EQ(At(layout, ControlId::GroupList), QRect(5, 366, 544, 130));
    EXPECT_EQ(layout.listSplitter, QRect(5, 361, 544, 5));
}

TEST(LayoutControls, StoredPaneSizesAreShownWithinTheirLimits) {
    const struct {
        const char* name;
        PaneSizes panes;
        ControlId id;
        QRect expected;
    } cases[] = {
        {"map taller than H - 127",
         {240, 1000, 120},
         ControlId::FileList,
         QRect(555, 486, 240, 10)},
        {"map of 5", {240, 5, 120}, ControlId::FileList, QRect(555, 73, 240, 423)},
        {"group list above its limit",
         {240, 240, 1000},
         ControlId::GroupList,
         QRect(5, 155, 544, 341)},
        {"group list of 5", {240, 240, 5}, ControlId::GroupList, QRect(5, 471, 544, 25)},
        {"column of 5", {5, 240, 120}, ControlId::FileList, QRect(775, 293, 20, 203)},
        {"column wider than the window",
         {1000, 240, 120},
         ControlId::FileList,
         QRect(15, 293, 780, 203)},
    };
    for (const auto& c : cases) {
        LayoutInput input = Input(kSmallest);
        input.panes = c.panes;
        EXPECT_EQ(At(LayoutControls(input), c.id), c.expected) << c.name;
    }
}

// A right column stored in a very wide window leaves 15 pixels for both videos once the
// window is small again; the panels then shrink to nothing instead of a negative width.
TEST(LayoutControls, PanesSqueezedOutOfTheWindowAreEmptyNotNegative) {
    LayoutInput input = Input(kSmallest);
    input.panes.rightColumnWidth = 1269;
    const WindowLayout layout = LayoutControls(input);

    EXPECT_EQ(At(layout, ControlId::FrontPanel), QRect(5, 48, 0, 221));
    EXPECT_EQ(At(layout, ControlId::ProgressBoard).width(), 0);
    EXPECT_EQ(At(layout, ControlId::RearPanel), QRect(2, 48, 7, 221));
    EXPECT_EQ(At(layout, ControlId::FrontVideo).width(), 0);

    for (const QSize tiny : {QSize(0, 0), QSize(30, 40), QSize(200, 100)})
        for (const auto& [id, rect] : LayoutControls(Input(tiny)).controls)
            EXPECT_TRUE(rect.width() >= 0 && rect.height() >= 0)
                << tiny.width() << "x" << tiny.height() << " control " << static_cast<int>(id);
}

} // namespace
