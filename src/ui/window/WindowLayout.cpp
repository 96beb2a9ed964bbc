#include "ui/window/WindowLayout.h"

#include "ui/window/FitVideo.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr int kMinimumPaneSize = 20;
constexpr int kMargin = 5;
constexpr int kGap = 5;

constexpr int kCaptionButton = 25;
constexpr int kCaptionTop = 2;
constexpr int kCloseFromRight = 32;
constexpr int kCaptionStep = 27;

constexpr int kSizeButton = 16;
constexpr int kSizeTop = 11;
constexpr int kLargeFromRight = 159;
constexpr int kSizeStep = 20;

// Below the file list and the group list lies the button bar.
constexpr int kBarHeight = 64;
// The right column leaves at least this much of the window to its left.
constexpr int kColumnReserve = 20;
// The map leaves room for the bar, the gap and the smallest file list.
constexpr int kMapReserve = 127;
// The group list leaves room for the bar, the smallest videos, the slider and the gaps.
constexpr int kGroupListReserve = 152;
constexpr int kVideoReserve = 112;

constexpr int kSliderBelowVideo = 13;
constexpr int kSliderHeight = 20;
constexpr int kCurveBelowVideo = 38;
constexpr int kBoardAboveVideo = 17;
constexpr int kBoardHeight = 30;
constexpr int kPanelReserve = 35;

constexpr int kLeftRowTopFromBottom = 44;
constexpr QSize kLeftRowButton(48, 36);
constexpr std::array kLeftRow = {
    std::pair{ControlId::OpenButton, 8},     std::pair{ControlId::SnapButton, 56},
    std::pair{ControlId::SaveButton, 104},   std::pair{ControlId::DeleteButton, 152},
    std::pair{ControlId::ConfigButton, 200},
};

constexpr int kTransportLeft = 268;
constexpr int kTransportStep = 1;
constexpr int kTransportButton = 40;
constexpr int kPlayButton = 48;
constexpr int kTransportBottomGap = 8;

constexpr QRect kSoundFromBottom(450, 40, 12, 24);
constexpr QRect kVolumeFromBottom(464, 36, 80, 20);

constexpr int kRightRowFromRight = 195;
constexpr int kRightRowStep = 34;
constexpr int kRightRowButton = 32;
constexpr int kRightRowTopFromBottom = 40;
constexpr std::array kRightRow = {ControlId::LoopButton, ControlId::KmlButton, ControlId::MapButton,
                                  ControlId::GSensorButton, ControlId::LockButton};

// A rectangle of that size, or an empty one where the size comes out negative.
QRect Sized(int x, int y, int width, int height) {
    return QRect(x, y, std::max(width, 0), std::max(height, 0));
}

QRect Edges(int left, int top, int right, int bottom) {
    return Sized(left, top, right - left, bottom - top);
}

// The upper limit is tested first: in a window too small for both, the pane gets the upper.
int Limit(int value, int upper) {
    if (value > upper)
        return upper;
    return std::max(value, kMinimumPaneSize);
}

void PlaceTitleRow(int width, WindowLayout& layout) {
    const std::array caption = {ControlId::CloseButton, ControlId::MaximizeButton,
                                ControlId::MinimizeButton, ControlId::AboutButton};
    for (size_t i = 0; i < caption.size(); ++i)
        layout.controls[caption[i]] =
            Sized(width - kCloseFromRight - kCaptionStep * static_cast<int>(i), kCaptionTop,
                  kCaptionButton, kCaptionButton);
    const std::array sizes = {ControlId::LargeSizeButton, ControlId::MediumSizeButton,
                              ControlId::SmallSizeButton};
    for (size_t i = 0; i < sizes.size(); ++i)
        layout.controls[sizes[i]] = Sized(width - kLargeFromRight - kSizeStep * static_cast<int>(i),
                                          kSizeTop, kSizeButton, kSizeButton);
}

void PlaceButtonBar(int width, int height, WindowLayout& layout) {
    for (const auto& [id, x] : kLeftRow)
        layout.controls[id] = QRect(QPoint(x, height - kLeftRowTopFromBottom), kLeftRowButton);

    int x = kTransportLeft;
    const std::array transport = {std::pair{ControlId::SlowButton, kTransportButton},
                                  std::pair{ControlId::StopButton, kTransportButton},
                                  std::pair{ControlId::PlayButton, kPlayButton},
                                  std::pair{ControlId::FastButton, kTransportButton}};
    for (const auto& [id, size] : transport) {
        // The buttons share one bottom edge, so the bigger play button stands taller.
        layout.controls[id] = Sized(x, height - kTransportBottomGap - size, size, size);
        x += size + kTransportStep;
    }

    layout.controls[ControlId::SoundButton] =
        Sized(kSoundFromBottom.x(), height - kSoundFromBottom.y(), kSoundFromBottom.width(),
              kSoundFromBottom.height());
    layout.controls[ControlId::VolumeSlider] =
        Sized(kVolumeFromBottom.x(), height - kVolumeFromBottom.y(), kVolumeFromBottom.width(),
              kVolumeFromBottom.height());

    for (size_t k = 0; k < kRightRow.size(); ++k)
        layout.controls[kRightRow[k]] =
            Sized(width - kRightRowFromRight + kRightRowStep * static_cast<int>(k),
                  height - kRightRowTopFromBottom, kRightRowButton, kRightRowButton);
}

} // namespace

WindowLayout LayoutControls(const LayoutInput& input) {
    const int width = input.client.width();
    const int height = input.client.height();
    WindowLayout layout;
    PlaceTitleRow(width, layout);

    const int columnWidth = Limit(input.panes.rightColumnWidth, width - kColumnReserve);
    const int columnRight = width - kMargin;
    const int columnLeft = columnRight > columnWidth ? columnRight - columnWidth : 0;
    const int listBottom = height - kBarHeight;

    int fileListTop = kPaneTop;
    layout.mapSplitter = input.previousMapSplitter;
    if (input.mapEnabled) {
        const int mapHeight = Limit(input.panes.mapHeight, height - kMapReserve);
        layout.mapView = Edges(columnLeft, kPaneTop, columnRight, kPaneTop + mapHeight);
        fileListTop = kPaneTop + mapHeight + kGap;
        layout.mapSplitter = Edges(columnLeft, kPaneTop, columnRight, listBottom);
    }
    layout.controls[ControlId::FileList] = Edges(columnLeft, fileListTop, columnRight, listBottom);
    layout.columnSplitter = Edges(columnLeft - kGap, kPaneTop, columnLeft, listBottom);

    const int curveHeight = input.gsensorEnabled ? input.curveHeight : 0;
    const int groupListHeight =
        Limit(input.panes.groupListHeight, height - kGroupListReserve - curveHeight);
    const int videoBottom = height - kVideoReserve - curveHeight - groupListHeight;
    const int halfWidth = columnLeft / 2 - kMargin;
    const int leftWidth = 2 * halfWidth;

    layout.controls[ControlId::PositionSlider] =
        Sized(kMargin, videoBottom + kSliderBelowVideo, leftWidth, kSliderHeight);
    int groupListTop = videoBottom + kCurveBelowVideo;
    if (input.gsensorEnabled) {
        layout.controls[ControlId::GSensorCurve] =
            Sized(kMargin, videoBottom + kCurveBelowVideo, leftWidth, curveHeight);
        groupListTop += curveHeight + kGap;
    }
    layout.controls[ControlId::GroupList] =
        Sized(kMargin, groupListTop, leftWidth, listBottom - groupListTop);
    layout.listSplitter = Edges(kMargin, groupListTop - kGap, leftWidth + kMargin, groupListTop);
    // The board covers the bottom of the front panel.
    layout.controls[ControlId::ProgressBoard] =
        Sized(kMargin, videoBottom - kBoardAboveVideo, halfWidth - kMargin, kBoardHeight);

    PlaceButtonBar(width, height, layout);

    // The rear panel is the wider one, and the two touch.
    const QRect frontPanel =
        Sized(kMargin, kPaneTop, halfWidth - kMargin, videoBottom - kPanelReserve);
    const QRect rearPanel =
        Sized(halfWidth, kPaneTop, halfWidth + kMargin, videoBottom - kPanelReserve);
    layout.controls[ControlId::FrontPanel] = frontPanel;
    layout.controls[ControlId::RearPanel] = rearPanel;
    const VideoSurfaces surfaces = FitVideo(frontPanel, rearPanel, input.picture);
    layout.controls[ControlId::FrontVideo] = surfaces.front;
    layout.controls[ControlId::RearVideo] = surfaces.rear;
    return layout;
}
