#include <cstdio>
#include <filesystem>

#include <fmt/format.h>

#include "CliSession.h"
#include "commands/Commands.h"
#include "session/ProgramDirectory.h"
#include "virtual/VirtualProgrammer.h"

namespace karvo::cli {

namespace {
// Taken before start-up makes the program directory current: a relative
// FILE means what the user's shell meant by it.
const std::string kLaunchDirectory = CurrentDirectory();

// firmware show START [COUNT]: the virtual programmer's program memory, by
// image address, in the form of `dump`; "--" where it has none.
int ShowFlash(CliSession& session, const CliSession::Words& args) {
    VirtualProgrammer* programmer = session.Virtual();
    if (programmer == nullptr) {
        Complain("firmware show: only with --virtual");
        return kUsage;
    }
    const auto start = ParseHex(args[1]);
    const auto count = args.size() > 2 ? ParseHex(args[2]) : std::optional<std::uint32_t>(0x100);
    if (!start || !count || *count > 0x100000) return kUsage;
    programmer->WithBootloader([&](VirtualBootloader& boot) {
        for (std::uint32_t i = 0; i < *count; i += 16) {
            std::string line = fmt::format("{:08X}:", *start + i);
            for (std::uint32_t k = i; k < std::min(i + 16, *count); ++k) {
                const auto byte = boot.ProgramByte(*start + k);
                line += byte ? fmt::format(" {:02X}", *byte) : std::string(" --");
            }
            std::printf("%s\n", line.c_str());
        }
    });
    std::fflush(stdout);
    return kOk;
}
}  // namespace

void RegisterFirmwareCommands(CliSession& session) {
    MainPresenter& presenter = session.Presenter();
    // firmware FILE: the update with the user's own image; the update
    // window's lines go to standard output as they appear.
    session.Register("firmware", 1, 3, [&session, &presenter](const CliSession::Words& args) {
        if (args.size() > 1) {
            if (args[0] == "show") return ShowFlash(session, args);
            Complain("usage: firmware FILE | firmware show START [COUNT]");
            return static_cast<int>(kUsage);
        }
        const auto file = (std::filesystem::path(kLaunchDirectory) / args[0]).lexically_normal();
        return presenter.UpdateFirmwareFromFile(file.string()) ? static_cast<int>(kOk)
                                                               : static_cast<int>(kFailed);
    });
}

}  // namespace karvo::cli
