// 8051-type and AVR-type parts: the code area read as a stream and written
// in acknowledged blocks, the signature, chip erase and the lock bits.
#include "virtual/NormalFirmware.h"

namespace karvo {

namespace {
// The chip in the socket when it is a microcontroller; else the command is
// answered with a refusal.
ChipModel* Micro(NormalFirmware& firmware) {
    auto& socket = firmware.Host().Socket();
    if (!socket || socket->Area('m') == nullptr) {
        firmware.ReplyText("NO");
        return nullptr;
    }
    return &*socket;
}
}  // namespace

void AddMicroCommands(NormalFirmware& firmware) {
    firmware.AddCommand({"mR", [&firmware](const Payload&) { firmware.StreamArea("GR", 'm'); }});
    firmware.AddCommand({"mW", [&firmware](const Payload&) { firmware.ReceiveArea("GW", 'm'); }});
    firmware.AddCommand({"mI", [&firmware](const Payload&) {
                             ChipModel* chip = Micro(firmware);
                             if (chip == nullptr) return;
                             firmware.ReplyText("GI");
                             Payload signature{};
                             std::copy(chip->signature.begin(), chip->signature.end(),
                                       signature.begin());
                             firmware.Host().Reply(signature);
                         }});
    firmware.AddCommand({"mr", [&firmware](const Payload&) {
                             ChipModel* chip = Micro(firmware);
                             if (chip == nullptr) return;
                             firmware.ReplyText("Gr");
                             Payload lock{};
                             lock[0] = chip->lock;
                             firmware.Host().Reply(lock);
                         }});
    // A lock bit: "mw", then a report with the bit's code (0xE1 .. 0xE3) and "w".
    firmware.AddCommand({"mw", [&firmware](const Payload&) {
                             if (Micro(firmware) == nullptr) return;
                             firmware.ReplyText("Gw");
                             firmware.ExpectData([&firmware](const Payload& code) {
                                 ChipModel* chip = &*firmware.Host().Socket();
                                 if (code[1] == 'w' && code[0] >= 0xE1 && code[0] <= 0xE3) {
                                     chip->lock |=
                                         static_cast<std::uint8_t>(0x04 << (code[0] - 0xE1));
                                 }
                                 firmware.ReplyText("OK");
                             });
                         }});
    // The first report at once, the second when the erase is over.
    firmware.AddCommand({"mE", [&firmware](const Payload&) {
                             ChipModel* chip = Micro(firmware);
                             if (chip == nullptr) return;
                             firmware.ReplyText("GE");
                             if (chip->eraseFails) {
                                 firmware.ReplyText("Fail");
                                 return;
                             }
                             chip->Erase();
                             firmware.ReplyText("Done");
                         }});
}

}  // namespace karvo
