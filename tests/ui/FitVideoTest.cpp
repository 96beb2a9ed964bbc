#include "ui/window/FitVideo.h"

#include <gtest/gtest.h>

namespace {

// Inside the edge these are 267 x 221 and 277 x 221, the panels of the smallest window.
const QRect kFrontPanel(5, 48, 271, 225);
const QRect kRearPanel(276, 48, 281, 225);

TEST(FitVideo, PictureKeepsItsShapeAndBothSurfacesShareIt) {
    const struct {
        const char* name;
        QSize picture;
        QRect front;
        QRect rear;
    } cases[] = {
        {"wide picture, centred vertically", QSize(1280, 720), QRect(7, 85, 267, 150),
         QRect(278, 85, 277, 150)},
        {"tall picture, centred horizontally", QSize(720, 1280), QRect(78, 50, 124, 221),
         QRect(349, 50, 124, 221)},
        {"same shape as the panel", QSize(267 * 4, 221 * 4), QRect(7, 50, 267, 221),
         QRect(278, 50, 277, 221)},
        {"unknown size", QSize(0, 0), QRect(7, 50, 267, 221), QRect(278, 50, 277, 221)},
        {"width without height", QSize(1280, 0), QRect(7, 50, 267, 221), QRect(278, 50, 277, 221)},
        {"height without width", QSize(0, 720), QRect(7, 50, 267, 221), QRect(278, 50, 277, 221)},
    };
    for (const auto& c : cases) {
        const VideoSurfaces surfaces = FitVideo(kFrontPanel, kRearPanel, c.picture);
        EXPECT_EQ(surfaces.front, c.front) << c.name;
        EXPECT_EQ(surfaces.rear, c.rear) << c.name;
    }
}

TEST(FitVideo, PanelSmallerThanItsEdgeGivesEmptySurfaces) {
    const VideoSurfaces surfaces =
        FitVideo(QRect(5, 48, 3, 221), QRect(8, 48, 13, 2), QSize(1280, 720));
    EXPECT_EQ(surfaces.front.width(), 0);
    EXPECT_EQ(surfaces.rear.height(), 0);
    EXPECT_GE(surfaces.front.height(), 0);
    EXPECT_GE(surfaces.rear.width(), 0);
}

} // namespace
