#include "session/Session.h"

#include <fmt/format.h>

#include "buffer/AreaCrc.h"
#include "session/ProgramDirectory.h"

namespace karvo {

Session::Session(SessionPorts ports) : ports_(ports), panel_(ports.view) {}

void Session::Activate(const DeviceRecord& record) {
    device_ = record;
    deviceActive_ = true;
    buffer_.AllocateForDevice(device_);
}

bool Session::LinkBusy() {
    if (guard_ == nullptr || !guard_->Busy()) return false;
    LogLine(" The programmer is still finishing the aborted operation; try again shortly");
    return true;
}

void Session::Play(Sound sound) {
    if (!state_.settings.SoundON) return;
    MakeCurrentDirectory(state_.StartDir);
    const char* file = sound == Sound::Chimes  ? "chimes.wav"
                       : sound == Sound::Error ? "error.wav"
                                               : "notify.wav";
    // No output device or no file: stay quiet for the rest of the run (and,
    // through the saved setting, afterwards) rather than fail every time.
    if (ports_.sounds.Play(file) == SoundResult::DeviceError) state_.settings.SoundON = false;
}

void Session::SetAllButtonsEnabled(bool enabled) {
    for (int i = 0; i < kToolButtonCount; ++i)
        panel_.SetEnabled(static_cast<ToolButton>(i), enabled);
}

void Session::DisableOperationButtons() {
    for (int i = 1; i < kToolButtonCount; ++i) panel_.SetEnabled(static_cast<ToolButton>(i), false);
}

void Session::ApplyButtonCaps() {
    const std::uint16_t caps =
        static_cast<std::uint16_t>(device_.ButtonCaps() | (device_.ButtonCaps2() << 8));
    // Bit of each button after Select in ButtonCaps (low byte) and ButtonCaps2 (high byte).
    constexpr std::pair<ToolButton, int> kBits[] = {
        {ToolButton::SB_Load, 0},   {ToolButton::SB_Save, 1},   {ToolButton::SB_Edit, 2},
        {ToolButton::SB_Config, 3}, {ToolButton::SB_Blank, 4},  {ToolButton::SB_Read, 5},
        {ToolButton::SB_Prog, 6},   {ToolButton::SB_Verify, 7}, {ToolButton::SB_Erase, 8},
        {ToolButton::SB_Option, 10}};
    for (const auto& [button, bit] : kBits) panel_.SetEnabled(button, (caps >> bit) & 1);
    panel_.SetEnabled(ToolButton::SB_Select, true);
}

std::uint32_t Session::UpdateChecksum() {
    const std::uint32_t total = buffer_.ComputeChecksum(device_);
    panel_.SetLabel(PanelLabel::CheckL, fmt::format("{:04X}", total & 0xFFFF));
    // Beside the sum, the figure build tools print for the same bytes.
    const auto crc = DeviceAreaCrc32(buffer_);
    panel_.SetHint(PanelLabel::CheckL, crc ? Crc32Hint(*crc) : std::string());
    return total;
}

}  // namespace karvo
