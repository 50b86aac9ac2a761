#include <cstdio>

#include <fmt/format.h>

#include "CliSession.h"
#include "commands/Commands.h"
#include "virtual/VirtualProgrammer.h"

namespace karvo::cli {

namespace {
// Addresses are the program's buffer addresses, the ones `dump` shows: for a
// PIC-type part the data, ID and configuration areas sit where the buffer
// keeps them.
int Set(VirtualProgrammer& programmer, const CliSession::Words& args) {
    const auto address = ParseHex(args[1]);
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const auto v = ParseHex(args[i]);
        if (!v || *v > 0xFF) return kUsage;
        bytes.push_back(static_cast<std::uint8_t>(*v));
    }
    if (!address || bytes.empty()) return kUsage;
    return programmer.WithSocket([&](std::optional<ChipModel>& chip) {
        if (!chip || chip->areas.empty()) {
            Complain("virtual set: no chip in the socket (select a device first)");
            return kFailed;
        }
        std::vector<ChipByte> cells;
        for (std::uint32_t i = 0; i < bytes.size(); ++i) {
            const auto cell = chip->At(*address + i);
            if (!cell && chip->areas.size() == 1) {
                const ChipArea& only = chip->areas.begin()->second;
                Complain(
                    fmt::format("virtual set: {:X} .. {:X} is beyond the chip, which ends at {:X}",
                                *address, std::uint64_t{*address} + bytes.size() - 1,
                                only.bufferOffset + only.bytes.size() - 1));
                return kFailed;
            }
            if (!cell) {
                Complain(fmt::format("virtual set: {:X} is no byte of the chip in the socket",
                                     std::uint64_t{*address} + i));
                return kFailed;
            }
            cells.push_back(*cell);
        }
        for (std::size_t i = 0; i < cells.size(); ++i) {
            chip->Area(cells[i].area)->bytes[cells[i].offset] = bytes[i];
        }
        return kOk;
    });
}

int Show(VirtualProgrammer& programmer, const CliSession::Words& args) {
    const auto start = ParseHex(args[1]);
    const auto count = args.size() > 2 ? ParseHex(args[2]) : std::optional<std::uint32_t>(0x100);
    if (!start || !count || *count > 0x1000000) return kUsage;
    return programmer.WithSocket([&](std::optional<ChipModel>& chip) {
        if (!chip || !chip->At(*start)) {
            Complain("virtual show: beyond the chip in the socket");
            return kFailed;
        }
        // Buffer addresses the chip has no cell for show as "--".
        for (std::uint32_t i = 0; i < *count; i += 16) {
            std::string line = fmt::format("{:08X}:", *start + i);
            for (std::uint32_t k = i; k < std::min(i + 16, *count); ++k) {
                const auto cell = chip->At(*start + k);
                line += cell ? fmt::format(" {:02X}", chip->Area(cell->area)->bytes[cell->offset])
                             : std::string(" --");
            }
            std::printf("%s\n", line.c_str());
        }
        std::fflush(stdout);
        return kOk;
    });
}

// virtual signature B0 B1 B2 | virtual lock BYTE: the microcontroller in the socket.
int SetMicro(VirtualProgrammer& programmer, const CliSession::Words& args) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const auto v = ParseHex(args[i]);
        if (!v || *v > 0xFF) return kUsage;
        bytes.push_back(static_cast<std::uint8_t>(*v));
    }
    return programmer.WithSocket([&](std::optional<ChipModel>& chip) {
        if (!chip || chip->Area('m') == nullptr) {
            Complain("virtual " + args[0] +
                     ": no 8051 or AVR part in the socket (select one first)");
            return kFailed;
        }
        if (args[0] == "lock") {
            chip->lock = bytes[0];
        } else {
            std::copy(bytes.begin(), bytes.end(), chip->signature.begin());
        }
        return kOk;
    });
}

int Fault(VirtualProgrammer& programmer, const CliSession::Words& args) {
    const std::string& kind = args[1];
    if (kind == "unplug" && args.size() == 2) {
        programmer.Unplug();
        return kOk;
    }
    if (kind == "erase" && args.size() == 2) {
        // The chip's erase never completes: "mE" ends without "Done".
        return programmer.WithSocket([](std::optional<ChipModel>& chip) {
            if (!chip) {
                Complain("virtual fault erase: no chip in the socket (select a device first)");
                return kFailed;
            }
            chip->eraseFails = true;
            return kOk;
        });
    }
    if (args.size() != 3) return kUsage;
    if (kind == "refuse") {
        programmer.Refuse(args[2]);
        return kOk;
    }
    const auto n = ParseHex(args[2]);
    if (!n) return kUsage;
    if (kind == "corrupt") {
        const auto cell = programmer.WithSocket(
            [&](std::optional<ChipModel>& chip) { return chip ? chip->At(*n) : std::nullopt; });
        if (!cell) {
            Complain("virtual fault corrupt: no byte of the chip in the socket at that address");
            return kFailed;
        }
        programmer.Corrupt(cell->area, cell->offset);
    } else if (kind == "stall") {
        // A count that does not fit would wrap to a negative one.
        if (*n > 0x7FFFFFFF) return kUsage;
        programmer.StallAfter(static_cast<int>(*n));
    } else {
        return kUsage;
    }
    return kOk;
}
}  // namespace

void RegisterVirtualCommands(CliSession& session) {
    session.Register("virtual", 1, -1, [&session](const CliSession::Words& args) -> int {
        VirtualProgrammer* programmer = session.Virtual();
        if (programmer == nullptr) {
            Complain("virtual: only with --virtual");
            return kUsage;
        }
        const std::string& what = args[0];
        int status = kUsage;
        if (what == "set" && args.size() >= 3) {
            status = Set(*programmer, args);
        } else if (what == "show" && (args.size() == 2 || args.size() == 3)) {
            status = Show(*programmer, args);
        } else if (what == "blank" && args.size() == 1) {
            programmer->WithSocket([](std::optional<ChipModel>& chip) {
                if (chip) chip->Blank();
            });
            status = kOk;
        } else if (what == "fault" && args.size() >= 2) {
            status = Fault(*programmer, args);
        } else if ((what == "signature" && args.size() == 4) ||
                   (what == "lock" && args.size() == 2)) {
            status = SetMicro(*programmer, args);
        }
        if (status == kUsage) {
            Complain(
                "usage: virtual set ADDRESS BYTE... | virtual show START [COUNT] | "
                "virtual blank | virtual signature B0 B1 B2 | virtual lock BYTE | "
                "virtual fault refuse COMMAND|corrupt ADDRESS|stall N|unplug|erase");
        }
        return status;
    });
}

}  // namespace karvo::cli
