#pragma once

#include "ui/window/WindowLayout.h"

#include <QPoint>
#include <QSize>

#include <optional>

// What a left press on the window's free surface starts, tested in this order.
enum class SurfaceHit { None, Grip, MapSplitter, ListSplitter, ColumnSplitter };

constexpr int kGripSize = 20;

SurfaceHit HitTest(const WindowLayout& layout, const QSize& client, const QPoint& point);

// The pane sizes a splitter drag stores for the mouse at y or x. Each puts the splitter's
// gap under the mouse; the limits are applied by the next layout, not here.
int MapHeightForDrag(int y);
int GroupListHeightForDrag(int clientHeight, int y);
// Empty while the mouse is in the left two thirds of the window: the drag then does nothing,
// so the right column stays narrower than a third of the window.
std::optional<int> RightColumnWidthForDrag(int clientWidth, int x);
