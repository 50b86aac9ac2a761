#pragma once

namespace karvo {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Where the main window's resizable controls go for a client area of the
// given size. At the design size (790 × 534) it gives the design positions;
// the log takes what the panels and bottom row leave free.
struct MainLayout {
    Rect memo;
    Rect panel1;
    Rect panel2;
    Rect clearButton;
    Rect reconnectButton;
    // Between the two buttons: shown only while an aborted operation is
    // being finished.
    Rect finishingBar;
};

inline constexpr int kDesignClientWidth = 790;
inline constexpr int kDesignClientHeight = 534;

MainLayout ComputeMainLayout(int clientWidth, int clientHeight);

}  // namespace karvo
