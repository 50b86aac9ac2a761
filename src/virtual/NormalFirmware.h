#pragma once
#include <functional>
#include <string>
#include <vector>

#include <optional>

#include "link/HidTransport.h"
#include "virtual/ChipModel.h"
#include "virtual/FaultInjector.h"
#include "virtual/VirtualSettings.h"

namespace karvo {

using Payload = std::array<std::uint8_t, kPayloadSize>;

// What the emulated firmware does to the programmer as a whole when a command
// asks for more than a reply.
class FirmwareHost {
  public:
    virtual ~FirmwareHost() = default;
    // A report to the host; data reports of a stream say where they come from.
    virtual void Reply(const Payload& payload, std::optional<StreamTag> tag = std::nullopt) = 0;
    virtual void EnterBootloader() = 0;
    // The chip in the socket; empty until a parameter block shaped one.
    virtual std::optional<ChipModel>& Socket() = 0;
    // Shapes a blank chip for a parameter block; false when the block names
    // no chip this firmware can handle.
    virtual bool ShapeSocket(const Payload& block) = 0;
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
    // True while a write takes data blocks, which are no commands.
    bool Writing() const { return writing_.has_value() || nextReport_ != nullptr; }
    // The next report is data for the command just handled, not a command.
    void ExpectData(std::function<void(const Payload&)> handler) {
        nextReport_ = std::move(handler);
    }

    // Replies with text at the start of the payload, the rest zero.
    void ReplyText(const std::string& text);
    // Accepts a read: the acceptance text, then the area as 64-byte reports.
    void StreamArea(const std::string& acceptance, char area);
    // Accepts a write: the acceptance text, then every following report is a
    // 64-byte block of the area, each answered, until the area is full.
    void ReceiveArea(const std::string& acceptance, char area);

    FirmwareHost& Host() { return host_; }

  private:
    struct WriteSession {
        char area = 0;
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };

    const Command* Find(const Payload& payload) const;
    void TakeBlock(const Payload& payload);

    VirtualSettings& settings_;
    FirmwareHost& host_;
    std::vector<Command> commands_;
    std::optional<WriteSession> writing_;
    std::function<void(const Payload&)> nextReport_;
};

// The commands of byte-wide EPROMs and EEPROMs ("eR", "eW").
void AddByteWideCommands(NormalFirmware& firmware);
// The commands of 8051-type and AVR-type parts ("mI", "mR", "mW", "mw",
// "mE", "mr").
void AddMicroCommands(NormalFirmware& firmware);
// The commands of PIC-type parts ("pc", "pd", "pi", "pk" and their upper
// case, "pE").
void AddPicCommands(NormalFirmware& firmware);

}  // namespace karvo
