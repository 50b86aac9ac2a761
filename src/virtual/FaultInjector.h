#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "link/HidTransport.h"

namespace karvo {

// Which area and offset a data report of a stream carries: the emulated
// device tags the reports it streams, so a fault can be aimed at a byte of
// an area whatever protocol carries it.
struct StreamTag {
    char area = 0;
    std::uint32_t offset = 0;
};

// Faults between the host and the emulated device, for any protocol a
// command of which is known by its leading bytes (the normal firmware, the
// bootloader). It sits on the transport, so what it does the device never
// sees: a refused or muted command never reaches it.
class FaultInjector {
  public:
    using Payload = std::array<std::uint8_t, kPayloadSize>;

    enum class Verdict {
        Pass,    // the device handles the report
        Refuse,  // the device never sees it; the host reads a reply that matches nothing
        Mute,    // the device never sees it and nothing answers
    };

    // Answer COMMAND with a reply that matches nothing.
    void Refuse(const std::string& command) { refused_.insert(command); }
    // Never answer COMMAND.
    void Mute(const std::string& command) { muted_.insert(command); }
    // The byte at that offset of that area reads back inverted.
    void Corrupt(char area, std::uint32_t offset) { corrupt_.insert({area, offset}); }
    // After this many more reports to the host nothing more arrives.
    void StallAfter(int reports) { stallAfter_ = reports; }

    // A command from the host (not a data block of a write in progress).
    Verdict OnCommand(const Payload& payload) const;
    // Whether the next report may reach the host at all.
    bool Stalled() const { return stallAfter_ && *stallAfter_ <= 0; }
    // A report on its way to the host; it may be changed.
    void OnDeliver(Payload& payload, const std::optional<StreamTag>& tag);

    // The reply to a refused command.
    static Payload RefusalReply();

  private:
    static bool Names(const std::set<std::string>& names, const Payload& payload);

    std::set<std::string> refused_;
    std::set<std::string> muted_;
    std::set<std::pair<char, std::uint32_t>> corrupt_;
    std::optional<int> stallAfter_;
};

}  // namespace karvo
