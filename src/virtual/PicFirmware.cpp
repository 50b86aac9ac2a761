// PIC-type parts: "p" and an area letter, lower case to stream the area to
// the host, upper case to take it in acknowledged blocks; "pE" erases the
// chip. A letter for an area the chip lacks is refused.
#include "virtual/NormalFirmware.h"

namespace karvo {

void AddPicCommands(NormalFirmware& firmware) {
    for (const char letter : {'c', 'd', 'i', 'k'}) {
        const char upper = static_cast<char>(letter - 'a' + 'A');
        firmware.AddCommand({std::string("p") + letter, [&firmware, letter](const Payload&) {
                                 firmware.StreamArea(std::string("G") + letter, letter);
                             }});
        firmware.AddCommand({std::string("p") + upper, [&firmware, letter, upper](const Payload&) {
                                 firmware.ReceiveArea(std::string("G") + upper, letter);
                             }});
    }
    // The first report at once, the second when the erase is over. Parts
    // that only clear bits (OTP, windowed EPROM) cannot be erased here.
    firmware.AddCommand({"pE", [&firmware](const Payload&) {
                             auto& chip = firmware.Host().Socket();
                             const ChipArea* code = chip ? chip->Area('c') : nullptr;
                             if (code == nullptr || code->rule == WriteRule::ClearBitsOnly) {
                                 firmware.ReplyText("NO");
                                 return;
                             }
                             firmware.ReplyText("GE");
                             if (chip->eraseFails) {
                                 firmware.ReplyText("Fail");
                                 return;
                             }
                             chip->Erase();
                             firmware.ReplyText("Done");
                         }});
    // Any other area letter.
    firmware.AddCommand({"p", [&firmware](const Payload&) { firmware.ReplyText("NO"); }});
}

}  // namespace karvo
