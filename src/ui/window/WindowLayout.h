#pragma once

#include "ui/window/ControlIds.h"

#include <QRect>
#include <QSize>

#include <map>

// Top of the panes under the title row, shared by the layout and the map splitter's drag.
constexpr int kPaneTop = 48;

// The pane sizes the splitters leave behind. They are kept as dragged, unclamped: the layout
// applies the limits, so a pane squeezed by a small window grows back with the window.
struct PaneSizes {
    int rightColumnWidth = 240;
    int mapHeight = 240;
    int groupListHeight = 120;
};

struct LayoutInput {
    QSize client;
    PaneSizes panes;
    bool mapEnabled = true;
    bool gsensorEnabled = true;
    // The curve keeps the height it was created with; the layout only reads it.
    int curveHeight = 0;
    // The picture size of the current recording; empty when there is none.
    QSize picture;
    // The map splitter of the previous layout, kept as it was while the map is off.
    QRect previousMapSplitter;
};

// Where every control the layout moves goes, in client pixels. A control the layout does
// not move has no entry: the flip button, the read-outs at the top, the hidden statics, and
// the curve while it is switched off.
struct WindowLayout {
    std::map<ControlId, QRect> controls;
    // Empty while the map is off: the map view is then not moved.
    QRect mapView;
    QRect mapSplitter;
    QRect listSplitter;
    QRect columnSplitter;
};

// Lays out every pane and button for a client size. Sizes that the arithmetic would make
// negative in a window too small for its panes come out as 0.
WindowLayout LayoutControls(const LayoutInput& input);
