#include "app/MainLayout.h"

#include <algorithm>

namespace karvo {

namespace {
constexpr int kToolButtons = 11;
}  // namespace

MainLayout ComputeMainLayout(int clientWidth, int clientHeight) {
    // Offsets from the right and bottom edges, taken from the design size.
    const int w = std::max(clientWidth, kMinClientWidth);
    const int h = std::max(clientHeight, kMinClientHeight);
    MainLayout layout;
    layout.toolButtonWidth = std::min(kToolButtonWidth, (w - 2 * kToolbarLeft) / kToolButtons);
    layout.panel1 = {8, h - 196, w - 13, 81};
    layout.panel2 = {8, h - 116, w - 13, 81};
    layout.memo = {8, 61, w - 13, layout.panel1.top - 61};
    layout.clearButton = {8, h - 28, 75, 25};
    layout.reconnectButton = {w - 94, h - 28, 75, 25};
    const int barLeft = layout.clearButton.left + layout.clearButton.width + 16;
    layout.finishingBar = {barLeft, h - 28, layout.reconnectButton.left - 16 - barLeft, 25};
    return layout;
}

TopLeftPlacement PlaceTopLeft(const Rect& available, const FrameMargins& margins) {
    TopLeftPlacement placement;
    placement.frameLeft = available.left + 1;
    placement.frameTop = available.top + 1;
    const int roomWidth = available.width - 1 - margins.left - margins.right;
    const int roomHeight = available.height - 1 - margins.top - margins.bottom;
    placement.clientWidth = std::clamp(roomWidth, kMinClientWidth, kDesignClientWidth);
    placement.clientHeight = std::clamp(roomHeight, kMinClientHeight, kDesignClientHeight);
    return placement;
}

}  // namespace karvo
