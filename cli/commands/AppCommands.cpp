#include <cstdio>

#include "CliSession.h"
#include "commands/Commands.h"

namespace karvo::cli {

namespace {
int Panel(MainPresenter& presenter) {
    PanelState& panel = presenter.Panel();
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
}  // namespace

std::optional<std::uint32_t> ParseHex(const std::string& text) {
    if (text.empty() || text.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

void Complain(const std::string& message) {
    std::fprintf(stderr, "karvo-cli: %s\n", message.c_str());
}

void RegisterAppCommands(CliSession& session) {
    MainPresenter& presenter = session.Presenter();
    session.Register("reconnect", 0, 0, [&presenter](const CliSession::Words&) {
        presenter.Reconnect();
        return kOk;
    });
    session.Register("clear", 0, 0, [&presenter](const CliSession::Words&) {
        presenter.ClearMessages();
        return kOk;
    });
    session.Register("panel", 0, 0,
                     [&presenter](const CliSession::Words&) { return Panel(presenter); });
}

}  // namespace karvo::cli
