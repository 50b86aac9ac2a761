#include "virtual/NormalFirmware.h"

#include <algorithm>
#include <cstring>

namespace karvo {

NormalFirmware::NormalFirmware(VirtualSettings& settings, FirmwareHost& host)
    : settings_(settings), host_(host) {
    AddCommand({"KARVO", [this](const Payload&) { ReplyText(settings_.hello); }});
    AddCommand({"F", [this](const Payload&) {
                    Payload reply{};
                    reply[0] = 'F';
                    reply[1] = static_cast<std::uint8_t>(settings_.firmwareMajor);
                    reply[2] = static_cast<std::uint8_t>(settings_.firmwareMinor);
                    host_.Reply(reply);
                }});
    // No reply: the programmer drops off the bus and comes back as its bootloader.
    AddCommand({"Prog", [this](const Payload&) { host_.EnterBootloader(); }});
    AddCommand({"V", [this](const Payload&) { ReplyText("OK"); }});
}

void NormalFirmware::AddCommand(Command command) {
    commands_.push_back(std::move(command));
    // Longest names first, so "Prog" wins over a shorter name sharing its start.
    std::stable_sort(commands_.begin(), commands_.end(), [](const Command& a, const Command& b) {
        return a.name.size() > b.name.size();
    });
}

const NormalFirmware::Command* NormalFirmware::Find(const Payload& payload) const {
    for (const Command& command : commands_) {
        if (std::memcmp(payload.data(), command.name.data(), command.name.size()) == 0) {
            return &command;
        }
    }
    return nullptr;
}

void NormalFirmware::Handle(const Payload& payload) {
    const Command* command = Find(payload);
    // Unknown commands are ignored, as the real firmware does: the host's read times out.
    if (command == nullptr || settings_.muted.count(command->name) != 0) return;
    command->handler(payload);
}

void NormalFirmware::ReplyText(const std::string& text) {
    Payload reply{};
    std::memcpy(reply.data(), text.data(), std::min(text.size(), reply.size()));
    host_.Reply(reply);
}

}  // namespace karvo
