#include <cstdio>

#include <fmt/format.h>

#include "CliSession.h"
#include "buffer/AreaCrc.h"
#include "commands/Commands.h"

namespace karvo::cli {

namespace {

// checksum [--crc32]: the label, or the CRC-32 of the same area as its
// tooltip gives it, eight digits as build tools print it.
int Checksum(MainPresenter& presenter, const CliSession::Words& args) {
    if (args.empty()) {
        std::printf("%s\n", presenter.Panel().Label(PanelLabel::CheckL).c_str());
    } else if (args[0] == "--crc32") {
        const auto crc = DeviceAreaCrc32(presenter.Buffer());
        if (!crc) {
            Complain("checksum --crc32: no device is selected");
            return kFailed;
        }
        std::printf("%08X\n", crc->crc);
    } else {
        Complain("usage: checksum [--crc32]");
        return kUsage;
    }
    std::fflush(stdout);
    return kOk;
}

int Dump(MainPresenter& presenter, const CliSession::Words& args) {
    const auto start = ParseHex(args[0]);
    const auto count = args.size() > 1 ? ParseHex(args[1]) : std::optional<std::uint32_t>(0x100);
    if (!start || !count) {
        Complain("dump takes START [COUNT] in hexadecimal");
        return kUsage;
    }
    const MemoryBuffer& buffer = presenter.Buffer();
    if (*start >= buffer.Allocated || *count > buffer.Allocated - *start) {
        Complain(fmt::format("dump {:X} {:X} goes beyond the buffer (0x{:X} bytes)", *start, *count,
                             buffer.Allocated));
        return kFailed;
    }
    std::string line;
    for (std::uint32_t i = 0; i < *count; i += 16) {
        line = fmt::format("{:08X}:", *start + i);
        for (std::uint32_t k = i; k < std::min(i + 16, *count); ++k) {
            line += fmt::format(" {:02X}", buffer[*start + k]);
        }
        std::printf("%s\n", line.c_str());
    }
    std::fflush(stdout);
    return kOk;
}

// Typing bytes into the hex editor: only where the Edit command is offered,
// only inside the buffer, and the checksum follows.
int Poke(MainPresenter& presenter, const CliSession::Words& args) {
    const auto address = ParseHex(args[0]);
    if (!address) {
        Complain("poke takes ADDRESS BYTE... in hexadecimal");
        return kUsage;
    }
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const auto value = ParseHex(args[i]);
        if (!value || *value > 0xFF) {
            Complain("poke: '" + args[i] + "' is not a byte in hexadecimal");
            return kUsage;
        }
        bytes.push_back(static_cast<std::uint8_t>(*value));
    }
    if (!presenter.Panel().Enabled(ToolButton::SB_Edit)) {
        Complain("poke: the Edit command is not available for the current device");
        return kFailed;
    }
    MemoryBuffer& buffer = presenter.Buffer();
    if (*address >= buffer.Available || bytes.size() > buffer.Available - *address) {
        Complain(
            fmt::format("poke {:X}: beyond the buffer (0x{:X} bytes)", *address, buffer.Available));
        return kFailed;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i)
        buffer[*address + static_cast<std::uint32_t>(i)] = bytes[i];
    presenter.Session().UpdateChecksum();
    return kOk;
}

}  // namespace

void RegisterBufferCommands(CliSession& session) {
    MainPresenter& presenter = session.Presenter();
    session.Register("checksum", 0, 1, [&presenter](const CliSession::Words& args) {
        return Checksum(presenter, args);
    });
    session.Register("dump", 1, 2,
                     [&presenter](const CliSession::Words& args) { return Dump(presenter, args); });
    session.Register("poke", 2, -1,
                     [&presenter](const CliSession::Words& args) { return Poke(presenter, args); });
}

}  // namespace karvo::cli
