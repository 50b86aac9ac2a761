#include <cstdio>

#include <fmt/format.h>

#include "CliSession.h"
#include "commands/Commands.h"
#include "operations/ChipDifferences.h"

namespace karvo::cli {

namespace {
struct OperationButton {
    const char* command;
    char opCode;
    ToolButton button;
};

constexpr OperationButton kOperations[] = {
    {"blank", 'B', ToolButton::SB_Blank},  {"read", 'R', ToolButton::SB_Read},
    {"program", 'P', ToolButton::SB_Prog}, {"verify", 'V', ToolButton::SB_Verify},
    {"erase", 'E', ToolButton::SB_Erase},
};

// The differences window of karvo-cli: its lines on standard output.
class PrintedDifferences final : public DifferencesViewPort {
  public:
    void Show(const std::string& /*devName*/, const std::vector<std::string>& lines) override {
        for (const std::string& line : lines) std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
};

// verify --all: after a failed Verify, every difference, read into a scratch
// copy so the buffer stays as the user left it.
void ListDifferences(CliSession& session) {
    MainPresenter& presenter = session.Presenter();
    OperationEngine* engine = presenter.Engine();
    if (engine == nullptr || !engine->VerifyFailed()) return;
    PrintedDifferences printed;
    DifferencesCommand(presenter.Session(), *engine).Run(printed);
    session.Ui().RunPending();
}
}  // namespace

void RegisterOperationCommands(CliSession& session) {
    for (const OperationButton& op : kOperations) {
        const int maxArgs = op.opCode == 'V' ? 1 : 0;
        session.Register(
            op.command, 0, maxArgs, [&session, op](const CliSession::Words& args) -> int {
                const bool all = !args.empty();
                if (all && args[0] != "--all") {
                    Complain("usage: verify [--all]");
                    return kUsage;
                }
                MainPresenter& presenter = session.Presenter();
                // The same rule as the window: a button that is not enabled does nothing.
                if (!presenter.Panel().Enabled(op.button)) {
                    Complain(
                        fmt::format("{}: not available now (select a device the command "
                                    "applies to, with a programmer connected)",
                                    op.command));
                    return kFailed;
                }
                presenter.RunOperation(op.opCode);
                session.Ui().RunPending();
                const bool ok = presenter.State().RunFlag && presenter.State().ErrorCount == 0;
                if (!ok && all) ListDifferences(session);
                return ok ? kOk : kFailed;
            });
    }
}

}  // namespace karvo::cli
