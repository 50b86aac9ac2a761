#pragma once
#include <memory>
#include <optional>

#include "link/HidTransport.h"
#include "virtual/VirtualProgrammer.h"

namespace karvo {

// What a run talks to: the machine's USB, or the virtual programmer, whose
// firmware knows the chip types of the catalogue in the current (program)
// directory, since a parameter block alone cannot tell a large chip's size.
struct ProgrammerChoice {
    std::unique_ptr<VirtualProgrammer> virtualProgrammer;  // null for USB
    std::unique_ptr<HidBackend> usb;
};

ProgrammerChoice ChooseProgrammer(const std::optional<VirtualSettings>& virtualSettings,
                                  Clock& clock);

}  // namespace karvo
