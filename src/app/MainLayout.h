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
// the log takes what the panels and bottom row leave free. Below the design
// size (a small screen) the log shrinks first and the toolbar's buttons
// narrow, down to the smallest window that still shows every control.
struct MainLayout {
    int toolButtonWidth = 0;  // the toolbar's buttons, left to right from x = 8
    Rect memo;
    Rect panel1;
    Rect panel2;
    Rect clearButton;
    Rect reconnectButton;
    // Between the two buttons: shown only while an aborted operation is
    // being finished.
    Rect finishingBar;
};

// The toolbar's buttons sit side by side from the left edge along the top.
inline constexpr int kToolbarLeft = 8;
inline constexpr int kToolButtonWidth = 66;  // at the design size
inline constexpr int kToolButtonHeight = 57;

inline constexpr int kDesignClientWidth = 790;
inline constexpr int kDesignClientHeight = 534;
// Eleven narrowed buttons and a log of a few lines.
inline constexpr int kMinClientWidth = 600;
inline constexpr int kMinClientHeight = 340;

MainLayout ComputeMainLayout(int clientWidth, int clientHeight);

// The space the window manager's frame takes around the client area.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where a window placed at the top left of a small screen goes: its frame
// (title bar included) one pixel inside the available area, its client area
// no larger than the design size and small enough for the whole frame to fit
// (never below the minimum). `frame` is the frame's top left.
struct TopLeftPlacement {
    int frameLeft = 0;
    int frameTop = 0;
    int clientWidth = 0;
    int clientHeight = 0;
};
TopLeftPlacement PlaceTopLeft(const Rect& available, const FrameMargins& margins);

}  // namespace karvo
