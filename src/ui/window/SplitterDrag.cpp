#include "ui/window/SplitterDrag.h"

#include <QRect>

namespace {

// The group list's bottom lies on the button bar; the list splitter's gap is 5 pixels high.
constexpr int kListDragOffset = 74;
// The column splitter's gap and the window's right margin.
constexpr int kColumnDragOffset = 10;

} // namespace

SurfaceHit HitTest(const WindowLayout& layout, const QSize& client, const QPoint& point) {
    const QRect grip(client.width() - kGripSize, client.height() - kGripSize, kGripSize, kGripSize);
    if (grip.contains(point))
        return SurfaceHit::Grip;
    if (layout.mapSplitter.contains(point))
        return SurfaceHit::MapSplitter;
    if (layout.listSplitter.contains(point))
        return SurfaceHit::ListSplitter;
    if (layout.columnSplitter.contains(point))
        return SurfaceHit::ColumnSplitter;
    return SurfaceHit::None;
}

int MapHeightForDrag(int y) {
    return y - kPaneTop;
}

int GroupListHeightForDrag(int clientHeight, int y) {
    return clientHeight - y - kListDragOffset;
}

std::optional<int> RightColumnWidthForDrag(int clientWidth, int x) {
    if (x <= 2 * clientWidth / 3)
        return std::nullopt;
    return clientWidth - x - kColumnDragOffset;
}
