#include "CliSession.h"

#include <cstdio>

#include "CommandLine.h"

namespace karvo::cli {

CliSession::CliSession(MainPorts ports, StderrPrompts& prompts)
    : presenter_(ports), prompts_(prompts) {
    Register("reconnect", 0, 0, [this](const Words&) {
        presenter_.Reconnect();
        return kOk;
    });
    Register("clear", 0, 0, [this](const Words&) {
        presenter_.ClearMessages();
        return kOk;
    });
    Register("panel", 0, 0, [this](const Words&) { return Panel(); });
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
    const int errorsBefore = prompts_.Errors();
    const int status = entry.handler(args);
    if (status == kOk && prompts_.Errors() != errorsBefore) return kFailed;
    return status;
}

int CliSession::Panel() {
    PanelState& panel = presenter_.Panel();
    for (int i = 0; i < kPanelLabelCount; ++i) {
        std::printf("%s=%s\n", std::string(kPanelLabelNames[i]).c_str(),
                    panel.Label(static_cast<PanelLabel>(i)).c_str());
    }
    std::string enabled;
    for (int i = 0; i < kToolButtonCount; ++i) {
        if (!panel.Enabled(static_cast<ToolButton>(i))) continue;
        if (!enabled.empty()) enabled += ' ';
        enabled += kToolButtonNames[i];
    }
    std::printf("Enabled=%s\n", enabled.c_str());
    std::fflush(stdout);
    return kOk;
}

}  // namespace karvo::cli
