#pragma once
#include <functional>
#include <string>
#include <vector>

#include "link/HidTransport.h"
#include "virtual/VirtualSettings.h"

namespace karvo {

using Payload = std::array<std::uint8_t, kPayloadSize>;

// What the emulated firmware does to the programmer as a whole when a command
// asks for more than a reply.
class FirmwareHost {
public:
    virtual ~FirmwareHost() = default;
    virtual void Reply(const Payload& payload) = 0;
    virtual void EnterBootloader() = 0;
};

// The programmer's normal firmware, command by command. Each command is one
// entry of a table keyed by its leading bytes; chip families add their entries
// beside these without touching the dispatcher.
class NormalFirmware {
public:
    struct Command {
        std::string name;  // the leading bytes that select it, also the name `mute=` uses
        std::function<void(const Payload&)> handler;
    };

    NormalFirmware(VirtualSettings& settings, FirmwareHost& host);

    void Handle(const Payload& payload);
    void AddCommand(Command command);

    // Replies with text at the start of the payload, the rest zero.
    void ReplyText(const std::string& text);

private:
    const Command* Find(const Payload& payload) const;

    VirtualSettings& settings_;
    FirmwareHost& host_;
    std::vector<Command> commands_;
};

}  // namespace karvo
