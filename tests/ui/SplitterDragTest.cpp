#include "ui/window/SplitterDrag.h"

#include <gtest/gtest.h>

namespace {

constexpr QSize kSmallest(800, 560);
constexpr int kCurveHeight = 72;

enum class Splitter { Map, List, Column };

// Drags one splitter from the default panes, lays out again and reads the pane it moved.
int ShownAfterDrag(Splitter splitter, int coordinate) {
    LayoutInput input;
    input.client = kSmallest;
    input.curveHeight = kCurveHeight;
    switch (splitter) {
    case Splitter::Map:
        input.panes.mapHeight = MapHeightForDrag(coordinate);
        return LayoutControls(input).mapView.height();
    case Splitter::List:
        input.panes.groupListHeight = GroupListHeightForDrag(kSmallest.height(), coordinate);
        return LayoutControls(input).controls.at(ControlId::GroupList).top();
    case Splitter::Column:
        if (const auto width = RightColumnWidthForDrag(kSmallest.width(), coordinate))
            input.panes.rightColumnWidth = *width;
        return LayoutControls(input).controls.at(ControlId::FileList).width();
    }
    return -1;
}

TEST(SplitterDrag, PanesFollowTheMouseWithinTheirLimits) {
    const struct {
        const char* name;
        Splitter splitter;
        int coordinate;
        int shown;
    } cases[] = {
        {"map bottom follows the mouse", Splitter::Map, 200, 152},
        {"map at most H - 127", Splitter::Map, 600, 433},
        {"map at least 20", Splitter::Map, 50, 20},
        {"map dragged above the window", Splitter::Map, -40, 20},
        {"group list top 5 below the mouse", Splitter::List, 300, 305},
        {"group list at most its limit", Splitter::List, 10, 155},
        {"group list at least 20", Splitter::List, 550, 471},
        {"column left edge 5 right of the mouse", Splitter::Column, 600, 190},
        {"column just right of two thirds", Splitter::Column, 534, 256},
        {"column at two thirds does nothing", Splitter::Column, 533, 240},
        {"column in the left half does nothing", Splitter::Column, 100, 240},
        {"column dragged past the window", Splitter::Column, 900, 20},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShownAfterDrag(c.splitter, c.coordinate), c.shown) << c.name;
}

TEST(SplitterDrag, PressesFindTheGripAndTheSplitterGaps) {
    LayoutInput input;
    input.client = kSmallest;
    input.curveHeight = kCurveHeight;
    const WindowLayout layout = LayoutControls(input);
    const struct {
        QPoint point;
        SurfaceHit hit;
    } cases[] = {
        {QPoint(780, 540), SurfaceHit::Grip},
        {QPoint(799, 559), SurfaceHit::Grip},
        {QPoint(779, 540), SurfaceHit::None},
        {QPoint(600, 290), SurfaceHit::MapSplitter},
        {QPoint(300, 368), SurfaceHit::ListSplitter},
        {QPoint(552, 100), SurfaceHit::ColumnSplitter},
        {QPoint(555, 100), SurfaceHit::MapSplitter},
        {QPoint(400, 30), SurfaceHit::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HitTest(layout, kSmallest, c.point), c.hit) << c.point.x() << "," << c.point.y();
}

} // namespace
