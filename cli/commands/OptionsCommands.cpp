#include <cstdio>

#include <fmt/format.h>

#include "CliSession.h"
#include "commands/Commands.h"
#include "settings/OptionsCommand.h"

namespace karvo::cli {

namespace {
struct Key {
    const char* name;
    OptionsModel::Box box;
};

constexpr Key kKeys[] = {
    {"test", OptionsModel::kInsertionTest},  {"id", OptionsModel::kIdCheck},
    {"maxmin", OptionsModel::kVerifyMaxMin}, {"sound", OptionsModel::kSoundOn},
    {"step0", OptionsModel::kProgStep0},     {"step1", OptionsModel::kProgStep1},
    {"step2", OptionsModel::kProgStep2},     {"step3", OptionsModel::kProgStep3},
    {"step4", OptionsModel::kProgStep4},     {"step5", OptionsModel::kProgStep5},
    {"step6", OptionsModel::kProgStep6},
};

// Clicks the boxes as the arguments say; a box the dialog does not offer
// for this device is a usage error.
class ScriptedOptions final : public OptionsDialogPort {
  public:
    explicit ScriptedOptions(std::vector<std::pair<OptionsModel::Box, bool>> clicks)
        : clicks_(std::move(clicks)) {}
    void Run(OptionsModel& model) override {
        for (const auto& [box, checked] : clicks_) {
            if (!model.Offered(box)) {
                refused_ = model.State(box).caption;
                return;
            }
            model.SetChecked(box, checked);
        }
    }
    const std::string& Refused() const { return refused_; }

  private:
    std::vector<std::pair<OptionsModel::Box, bool>> clicks_;
    std::string refused_;
};

int Options(MainPresenter& presenter, const CliSession::Words& args) {
    std::size_t first = 0;
    std::optional<std::uint32_t> progBits;
    if (!args.empty() && args[0].rfind("progbits=", 0) == 0) {
        progBits = ParseHex(args[0].substr(9));
        if (!progBits || *progBits > 0xFF) {
            Complain("options: progbits= takes a hexadecimal byte, 0 to FF");
            return kUsage;
        }
        first = 1;
    }
    std::vector<std::pair<OptionsModel::Box, bool>> clicks;
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::size_t eq = args[i].find('=');
        const std::string key = args[i].substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : args[i].substr(eq + 1);
        const Key* found = nullptr;
        for (const Key& k : kKeys) {
            if (key == k.name) found = &k;
        }
        if (found == nullptr || (value != "0" && value != "1")) {
            Complain("options: '" + args[i] +
                     "' is not KEY=0|1 (keys: test id maxmin sound step0 ... step6)");
            return kUsage;
        }
        clicks.emplace_back(found->box, value == "1");
    }
    if (!presenter.Panel().Enabled(ToolButton::SB_Option)) {
        Complain("options: the Options command is not available for the current device");
        return kFailed;
    }
    OptionFlags& flags = presenter.State().settings.flags;
    if (progBits) flags.ProgBits = static_cast<std::uint8_t>(*progBits);
    ScriptedOptions dialog(std::move(clicks));
    OptionsCommand(presenter.Session()).Run(dialog);
    if (!dialog.Refused().empty()) {
        Complain("options: the dialog does not offer \"" + dialog.Refused() + "\" for this device");
        return kUsage;
    }
    std::printf("ProgBits=%02X Id_flag=%d Test_flag=%d MaxMin_flag=%d SoundON=%d\n", flags.ProgBits,
                flags.Id_flag ? 1 : 0, flags.Test_flag ? 1 : 0, flags.MaxMin_flag ? 1 : 0,
                presenter.State().settings.SoundON ? 1 : 0);
    std::fflush(stdout);
    return kOk;
}
}  // namespace

void RegisterOptionsCommands(CliSession& session) {
    MainPresenter& presenter = session.Presenter();
    session.Register("options", 0, -1, [&presenter](const CliSession::Words& args) -> int {
        return Options(presenter, args);
    });
}

}  // namespace karvo::cli
