#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "CliSession.h"
#include "commands/Commands.h"
#include "config/ConfigCommand.h"
#include "config/StateFields.h"

namespace karvo::cli {

namespace {

using config::ControlKind;

struct Assignment {
    std::string name;
    std::string value;
};

// Where a name is: an ID field, or a control of a shown page.
struct Target {
    std::optional<std::size_t> idField;
    std::optional<std::pair<int, int>> control;
};

std::optional<Target> FindTarget(const ConfigModel& model, const std::string& name) {
    for (std::size_t i = 0; i < model.IdCount(); ++i) {
        if (model.IdName(i) == name) return Target{i, std::nullopt};
    }
    if (const auto at = model.Find(name)) return Target{std::nullopt, at};
    return std::nullopt;
}

const ConfigModel::Control& ControlAt(const ConfigModel& model, std::pair<int, int> at) {
    return model.Pages()[static_cast<std::size_t>(at.first)]
        .controls[static_cast<std::size_t>(at.second)];
}

// The shown page as the dialog shows it, one line a control.
void PrintPage(const ConfigModel& model) {
    if (model.Pages().empty()) {
        std::printf("Tab=- \"\"\n");
    } else {
        const ConfigModel::Page& page = model.Pages()[static_cast<std::size_t>(model.ActivePage())];
        std::printf("Tab=%.*s \"%s\"\n", static_cast<int>(page.Name().size()), page.Name().data(),
                    page.caption.c_str());
    }
    if (model.IdGroupVisible()) {
        for (std::size_t i = 0; i < model.IdCount(); ++i) {
            std::printf("%s=%s\n", model.IdName(i).c_str(), model.IdText(i).c_str());
        }
    }
    if (model.Pages().empty()) {
        std::fflush(stdout);
        return;
    }
    const ConfigModel::Page& page = model.Pages()[static_cast<std::size_t>(model.ActivePage())];
    for (const ConfigModel::Control& c : page.controls) {
        if (!c.visible || c.Kind() == ControlKind::Group) continue;
        std::string line(c.Name());
        switch (c.Kind()) {
            case ControlKind::CheckBox:
                line += c.value == 1 ? "=1" : "=0";
                break;
            case ControlKind::RadioGroup:
            case ControlKind::ComboBox:
                line += c.value < 0 ? std::string("=- \"\"")
                                    : fmt::format("={:X} \"{}\"", c.value,
                                                  c.items[static_cast<std::size_t>(c.value)]);
                break;
            case ControlKind::Edit:
            case ControlKind::Display:
            case ControlKind::Group:
                line += "=" + c.text;
                break;
        }
        if (!c.enabled) line += " (disabled)";
        std::printf("%s\n", line.c_str());
    }
    for (const ConfigModel::Label& label : page.labels) {
        std::printf("%s=%s\n", label.name.c_str(), label.text.c_str());
    }
    std::fflush(stdout);
}

// One assignment as the user's click or typing; kOk, kUsage or kFailed.
int Apply(ConfigModel& model, const Target& target, const Assignment& a, StderrPrompts& prompts) {
    if (target.idField) {
        std::optional<ConfigBox> box;
        switch (model.TypeId(*target.idField, a.value, box)) {
            case ConfigModel::IdResult::Stored:
                return kOk;
            case ConfigModel::IdResult::NotHex:
                prompts.ShowMessage(BoxKind::Error, box->caption, box->text);
                return kFailed;
            case ConfigModel::IdResult::TooLong:
                Complain(fmt::format("config: {} takes at most {} hexadecimal digits up to {:X}",
                                     a.name, model.IdDigits(), model.IdLargest()));
                return kUsage;
        }
        return kUsage;
    }
    const auto [page, index] = *target.control;
    const ConfigModel::Control& c = ControlAt(model, *target.control);
    if (!c.visible) {
        Complain("config: " + a.name + " is not shown for this device");
        return kUsage;
    }
    if (!c.enabled) {
        Complain("config: " + a.name + " is disabled");
        return kUsage;
    }
    switch (c.Kind()) {
        case ControlKind::CheckBox:
            if (a.value != "0" && a.value != "1") {
                Complain("config: " + a.name + " takes 0 or 1");
                return kUsage;
            }
            // A click only when the box changes.
            if ((a.value == "1") != (c.value == 1))
                model.Click(page, index, a.value == "1" ? 1 : 0);
            return kOk;
        case ControlKind::RadioGroup:
        case ControlKind::ComboBox: {
            const auto item = ParseHex(a.value);
            if (!item || *item >= c.items.size()) {
                Complain(fmt::format("config: {} takes an item index, 0 to {:X}", a.name,
                                     c.items.size() - 1));
                return kUsage;
            }
            if (!c.Offered(static_cast<int>(*item))) {
                Complain(
                    fmt::format("config: {} item {:X} is shown for a code the chip reserves "
                                "and cannot be chosen",
                                a.name, *item));
                return kUsage;
            }
            model.Click(page, index, static_cast<int>(*item));
            return kOk;
        }
        case ControlKind::Edit:
            if (const auto box = model.TypeText(page, index, a.value)) {
                prompts.ShowMessage(BoxKind::Error, box->caption, box->text);
                return kFailed;
            }
            return kOk;
        case ControlKind::Display:
        case ControlKind::Group:
            break;
    }
    Complain("config: " + a.name + " takes no value");
    return kUsage;
}

// Every field of ConfigBitsState, one line each.
void PrintState(const ConfigBitsState& state) {
    for (const config::StateField& field : config::StateFields()) {
        std::printf("%s\n", config::FormatStateField(field, state).c_str());
    }
    std::fflush(stdout);
}

// "state:FIELD=HEX": the field and its value, or a complaint.
std::optional<std::pair<const config::StateField*, std::uint32_t>> StateAssignment(
    const std::string& name, const std::string& value) {
    const config::StateField* field = config::FindStateField(name.substr(std::size("state:") - 1));
    if (field == nullptr) {
        Complain("config: ConfigBitsState has no field " + name.substr(std::size("state:") - 1));
        return std::nullopt;
    }
    const auto number = ParseHex(value);
    if (!number || *number > field->largest) {
        Complain(
            fmt::format("config: {} takes a hexadecimal number up to {:X}", name, field->largest));
        return std::nullopt;
    }
    return std::pair{field, static_cast<std::uint32_t>(*number)};
}

int Config(MainPresenter& presenter, StderrPrompts& prompts, const CliSession::Words& args) {
    if (args.size() == 1 && args[0] == "state") {
        PrintState(presenter.ConfigBits());
        return kOk;
    }
    std::optional<std::string> tab;
    std::vector<std::pair<const config::StateField*, std::uint32_t>> fields;
    std::vector<Assignment> assignments;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::size_t eq = args[i].find('=');
        if (eq == std::string::npos || eq == 0) {
            Complain("config: '" + args[i] + "' is not NAME=VALUE");
            return kUsage;
        }
        const std::string name = args[i].substr(0, eq);
        if (i == 0 && name == "tab") {
            tab = args[i].substr(eq + 1);
            continue;
        }
        if (name.rfind("state:", 0) == 0) {
            // The record is set before the page opens, so these come first.
            if (!assignments.empty()) {
                Complain("config: " + name + " must come before the control assignments");
                return kUsage;
            }
            const auto field = StateAssignment(name, args[i].substr(eq + 1));
            if (!field) return kUsage;
            fields.push_back(*field);
            continue;
        }
        assignments.push_back({name, args[i].substr(eq + 1)});
    }
    if (!presenter.Panel().Enabled(ToolButton::SB_Config)) {
        Complain("config: the Config command is not available");
        return kFailed;
    }
    // Set before the page opens; kept only if it does.
    const ConfigBitsState before = presenter.ConfigBits();
    for (const auto& [field, value] : fields) field->set(presenter.ConfigBits(), value);
    ConfigCommand command(presenter.Session(), presenter.ConfigBits());
    ConfigModel* model = command.Open();
    if (model == nullptr) {
        presenter.ConfigBits() = before;
        Complain("config: the configuration dialog does not open without a programmer");
        return kFailed;
    }
    if (tab) {
        int found = -1;
        for (std::size_t p = 0; p < model->Pages().size(); ++p) {
            if (model->Pages()[p].Name() == *tab) found = static_cast<int>(p);
        }
        if (found < 0) {
            Complain("config: the device shows no tab " + *tab);
            return kUsage;
        }
        model->SetActivePage(found);
    }
    // Every name first: nothing is clicked for a line with a misspelt name.
    std::vector<Target> targets;
    for (const Assignment& a : assignments) {
        const auto target = FindTarget(*model, a.name);
        if (!target) {
            Complain("config: the dialog has no " + a.name + " for this device");
            return kUsage;
        }
        targets.push_back(*target);
    }
    for (std::size_t i = 0; i < assignments.size(); ++i) {
        const int status = Apply(*model, targets[i], assignments[i], prompts);
        if (status == kUsage) return kUsage;
        if (status == kFailed) {
            PrintPage(*model);
            return kFailed;
        }
    }
    PrintPage(*model);
    return kOk;  // the command closes the dialog and sums the buffer
}

}  // namespace

void RegisterConfigCommands(CliSession& session) {
    MainPresenter& presenter = session.Presenter();
    StderrPrompts& prompts = session.Prompts();
    session.Register("config", 0, -1, [&presenter, &prompts](const CliSession::Words& args) {
        return Config(presenter, prompts, args);
    });
}

}  // namespace karvo::cli
