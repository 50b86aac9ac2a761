#pragma once
#include <array>

#include "ports/MainViewPort.h"

namespace karvo::ui {

// Caption and hint of each toolbar button, in ToolButton order.
struct ToolbarEntry {
    const char* caption;
    const char* hint;
};

inline constexpr std::array<ToolbarEntry, kToolButtonCount> kToolbar = {{
    {"Select", "Select Device"},
    {"Load", "Load File to Buffer"},
    {"Save", "Save Buffer to File"},
    {"Edit", "Edit Buffer"},
    {"Config", "Set Device Configuration Bits"},
    {"Blank", "Check If Device Blank"},
    {"Read", "Read Device"},
    {"Program", "Program Device"},
    {"Verify", "Verify Device"},
    {"Erase", "Erase Device "},
    {"Options", "Set Options"},
}};

}  // namespace karvo::ui
