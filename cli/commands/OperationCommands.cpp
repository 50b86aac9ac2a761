#include <fmt/format.h>

#include "CliSession.h"
#include "commands/Commands.h"

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
}  // namespace

void RegisterOperationCommands(CliSession& session) {
    for (const OperationButton& op : kOperations) {
        session.Register(op.command, 0, 0, [&session, op](const CliSession::Words&) -> int {
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
            return ok ? kOk : kFailed;
        });
    }
}

}  // namespace karvo::cli
