#include "LayerArrows.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// A tree with one arrow of every kind planted in it, next to includes that are allowed.
TEST(LayerArrows, NamesEveryFileAndLineThatPointsTheWrongWay) {
    std::ostringstream out;
    EXPECT_EQ(ReportBackArrows(KESTROLA_LAYER_FIXTURE, out), 1);
    EXPECT_EQ(out.str(), "src/app/Settings.cpp:2: app may not include library/Catalogue.h of "
                         "library\n"
                         "src/extras: not a known layer\n"
                         "src/map/Relative.cpp:1: map may not include ../ui/Widget.h of ui\n"
                         "src/map/deep/Trace.cpp:3: map may not include ui/Widget.h of ui\n"
                         "src/playback/Channel.h:4: playback may not include app/Settings.h of "
                         "app\n"
                         "src/track/Back.cpp:3: track may not include library/Catalogue.h of "
                         "library\n");
}

} // namespace
