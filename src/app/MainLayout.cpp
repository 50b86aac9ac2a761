#include "app/MainLayout.h"

#include <algorithm>

namespace karvo {

MainLayout ComputeMainLayout(int clientWidth, int clientHeight) {
    // Offsets from the right and bottom edges, taken from the design size.
    const int w = std::max(clientWidth, kDesignClientWidth);
    const int h = std::max(clientHeight, kDesignClientHeight);
    MainLayout layout;
    layout.panel1 = {8, h - 196, w - 13, 81};
    layout.panel2 = {8, h - 116, w - 13, 81};
    layout.memo = {8, 61, w - 13, layout.panel1.top - 61};
    layout.clearButton = {8, h - 28, 75, 25};
    layout.reconnectButton = {w - 94, h - 28, 75, 25};
    const int barLeft = layout.clearButton.left + layout.clearButton.width + 16;
    layout.finishingBar = {barLeft, h - 28, layout.reconnectButton.left - 16 - barLeft, 25};
    return layout;
}

}  // namespace karvo
