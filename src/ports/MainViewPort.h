#pragma once
#include <array>
#include <string>
#include <string_view>

namespace karvo {

// The value labels of the two information panels, in the order `panel` prints them.
enum class PanelLabel {
    ManuL,
    ManIDL,
    DevIDL,
    DevIDL2,
    DevL,
    SizeL,
    CheckL,
    VccL,
    VppL,
    AdapL,
    FileL,
    ComL
};
inline constexpr int kPanelLabelCount = 12;
inline constexpr std::array<std::string_view, kPanelLabelCount> kPanelLabelNames = {
    "ManuL",  "ManIDL", "DevIDL", "DevIDL2", "DevL",  "SizeL",
    "CheckL", "VccL",   "VppL",   "AdapL",   "FileL", "ComL"};

// The eleven toolbar buttons, left to right.
enum class ToolButton {
    SB_Select,
    SB_Load,
    SB_Save,
    SB_Edit,
    SB_Config,
    SB_Blank,
    SB_Read,
    SB_Prog,
    SB_Verify,
    SB_Erase,
    SB_Option
};
inline constexpr int kToolButtonCount = 11;
inline constexpr std::array<std::string_view, kToolButtonCount> kToolButtonNames = {
    "SB_Select", "SB_Load", "SB_Save",   "SB_Edit",  "SB_Config", "SB_Blank",
    "SB_Read",   "SB_Prog", "SB_Verify", "SB_Erase", "SB_Option"};

struct ScreenSize {
    int width = 0;
    int height = 0;
};

enum class WindowPlacement { Centred, TopLeft };

// What the main window shows of the core's state. The core keeps the state
// (PanelState) and tells the view about each change.
class MainViewPort {
  public:
    virtual ~MainViewPort() = default;
    virtual void LabelChanged(PanelLabel label, const std::string& text) = 0;
    // A label's tooltip (the checksum's CRC-32); views without one ignore it.
    virtual void LabelHintChanged(PanelLabel /*label*/, const std::string& /*hint*/) {}
    virtual void ButtonEnabledChanged(ToolButton button, bool enabled) = 0;
    // The programmer is finishing an aborted operation, this far (0..100);
    // -1 when it is done.
    virtual void FinishingChanged(int percent) = 0;
    virtual ScreenSize Screen() = 0;
    virtual void Place(WindowPlacement placement) = 0;
};

}  // namespace karvo
