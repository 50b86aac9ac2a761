// Byte-wide EPROMs and EEPROMs: one area, read as a stream and written in
// acknowledged 64-byte blocks.
#include "virtual/NormalFirmware.h"

namespace karvo {

void AddByteWideCommands(NormalFirmware& firmware) {
    firmware.AddCommand({"eR", [&firmware](const Payload&) { firmware.StreamArea("GR", 'e'); }});
    firmware.AddCommand({"eW", [&firmware](const Payload&) { firmware.ReceiveArea("GW", 'e'); }});
}

}  // namespace karvo
