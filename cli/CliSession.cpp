#include "CliSession.h"

#include <cstdio>

#include "CommandLine.h"
#include "commands/Commands.h"

namespace karvo::cli {

CliSession::CliSession(SessionPorts ports, StderrPrompts& prompts, VirtualProgrammer* programmer)
    : presenter_(ports), prompts_(prompts), programmer_(programmer) {
    presenter_.AttachOperations(ui_, progress_);
    RegisterAppCommands(*this);
    RegisterCatalogueCommands(*this);
    RegisterBufferCommands(*this);
    RegisterOperationCommands(*this);
    RegisterVirtualCommands(*this);
    RegisterOptionsCommands(*this);
    RegisterFileCommands(*this);
    RegisterConfigCommands(*this);
    RegisterFirmwareCommands(*this);
    RegisterEditCommands(*this);
}

void CliSession::BeforeEachCommand(std::function<void(const std::string& name)> hook) {
    beforeEach_.push_back(std::move(hook));
}

void CliSession::Exit() {
    for (const auto& hook : beforeEach_) hook("");
    presenter_.Exit();
}

void CliSession::Register(const std::string& name, int minArgs, int maxArgs, Handler handler) {
    commands_[name] = {minArgs, maxArgs, std::move(handler)};
}

int CliSession::Run(const std::string& line) {
    const auto words = SplitWords(line);
    if (!words) {
        std::fprintf(stderr, "karvo-cli: unbalanced quote or trailing backslash in: %s\n",
                     line.c_str());
        return kUsage;
    }
    if (words->empty()) return kOk;
    for (const auto& hook : beforeEach_) hook(words->front());
    const auto it = commands_.find(words->front());
    if (it == commands_.end()) {
        std::fprintf(stderr, "karvo-cli: unknown command '%s' (see --help)\n",
                     words->front().c_str());
        return kUsage;
    }
    const Words args(words->begin() + 1, words->end());
    const Entry& entry = it->second;
    if (static_cast<int>(args.size()) < entry.minArgs ||
        (entry.maxArgs >= 0 && static_cast<int>(args.size()) > entry.maxArgs)) {
        std::fprintf(stderr, "karvo-cli: wrong number of arguments for '%s' (see --help)\n",
                     words->front().c_str());
        return kUsage;
    }
    prompts_.NewCommand();
    const int errorsBefore = prompts_.Errors();
    const int status = entry.handler(args);
    if (status == kOk && prompts_.Errors() != errorsBefore) return kFailed;
    return status;
}

int CliSession::RunAll(const std::vector<std::string>& commands) {
    StartUp();
    // A firmware update that failed at start-up fails the run.
    int status = prompts_.Errors() != 0 || presenter_.FirmwareUpdateFailed() ? kFailed : kOk;
    for (const std::string& command : commands) {
        const int result = Run(command);
        if (result != kOk) {
            status = result;
            break;  // a failed step must not let the steps after it run
        }
    }
    const int errorsBeforeExit = prompts_.Errors();
    Exit();
    if (status == kOk && prompts_.Errors() != errorsBeforeExit) status = kFailed;
    return status;
}

}  // namespace karvo::cli
