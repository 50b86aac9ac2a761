#include <strings.h>
#include <algorithm>
#include <cstdio>

#include <fmt/format.h>

#include "CliSession.h"
#include "catalogue/DataFileNames.h"
#include "catalogue/DeviceDataFile.h"
#include "catalogue/DeviceSearch.h"
#include "catalogue/SelectCommand.h"
#include "commands/Commands.h"

namespace karvo::cli {

namespace {

struct Found {
    const char* file;
    int family;  // SelectionModel family button
    int manuf;
    int device;
};

// Answers the selection dialog as a user would click it: the family button,
// the manufacturer, the device, then OK.
class ScriptedSelection final : public SelectionDialogPort {
  public:
    explicit ScriptedSelection(const Found& target) : target_(target) {}
    bool Run(SelectionModel& model) override {
        if (model.CheckedFamily() != target_.family) {
            if (!model.FamilyEnabled(target_.family)) return false;
            model.ClickFamily(target_.family);
        }
        model.ClickManufacturer(target_.manuf);
        model.ClickDevice(target_.device);
        return true;
    }
    void ShowIspNotice() override {}

  private:
    Found target_;
};

constexpr std::pair<const char*, int> kFiles[] = {
    {kEpromFileName, SelectionModel::kEEprom},
    {kMicroFileName, SelectionModel::kMicro},
};

// One line of the devices and find commands.
void PrintDevice(const CatalogueEntry& e) {
    const DeviceRecord& r = e.record;
    std::printf("%s\t%s\t%s\t%c\t%02X\t%02X\t%X\n", e.fileName.c_str(), e.manufacturer.c_str(),
                r.DevName().c_str(), r.Family() != Family::None ? Letter(r.Family()) : '?',
                r.Algorithm(), r.ConfigType(), static_cast<std::uint32_t>(r.LastAddr()));
}

int Devices() {
    const DeviceSearch catalogue = DeviceSearch::FromProgramDirectory();
    for (const CatalogueEntry& entry : catalogue.Entries()) PrintDevice(entry);
    std::fflush(stdout);
    return kOk;
}

// find TEXT: the chips the selection dialog's find box lists for TEXT, best
// first. None is a failure, so a script can test for a chip.
int FindDevices(const std::string& text) {
    const DeviceSearch search = DeviceSearch::FromProgramDirectory();
    const auto found = search.Find(text);
    for (const CatalogueEntry* entry : found) PrintDevice(*entry);
    std::fflush(stdout);
    if (found.empty()) {
        Complain("no device name contains '" + text + "'");
        return kFailed;
    }
    return kOk;
}

// Every device of that name in the data files searched (one, or both),
// exact spelling first, then ignoring case.
std::vector<Found> Find(const std::string& onlyFile, const std::string& manufacturer,
                        const std::string& device) {
    for (const bool exact : {true, false}) {
        auto same = [exact](const std::string& a, const std::string& b) {
            return exact ? a == b : strcasecmp(a.c_str(), b.c_str()) == 0;
        };
        std::vector<Found> found;
        for (const auto& [name, family] : kFiles) {
            if (!onlyFile.empty() && onlyFile != name) continue;
            const auto file = DeviceDataFile::Open(name);
            if (!file) continue;
            const auto& manufacturers = file->Manufacturers();
            for (std::size_t m = 0; m < manufacturers.size(); ++m) {
                if (!same(manufacturers[m].name, manufacturer)) continue;
                const auto names = file->DeviceNames(m);
                for (std::size_t j = 0; j < names.size(); ++j) {
                    if (same(names[j], device)) {
                        found.push_back({name, family, static_cast<int>(m), static_cast<int>(j)});
                    }
                }
            }
        }
        if (!found.empty()) return found;
    }
    return {};
}

// select [--file DATAFILE] MANUFACTURER DEVICE
int Select(MainPresenter& presenter, const CliSession::Words& words) {
    CliSession::Words args = words;
    std::string onlyFile;
    if (!args.empty() && args[0] == "--file") {
        if (args.size() != 4) {
            Complain("usage: select [--file DATAFILE] MANUFACTURER DEVICE");
            return kUsage;
        }
        onlyFile = args[1];
        if (onlyFile != kEpromFileName && onlyFile != kMicroFileName) {
            Complain(fmt::format("--file takes {} or {}", kEpromFileName, kMicroFileName));
            return kUsage;
        }
        args.erase(args.begin(), args.begin() + 2);
    } else if (args.size() != 2) {
        Complain("usage: select [--file DATAFILE] MANUFACTURER DEVICE");
        return kUsage;
    }
    const auto found = Find(onlyFile, args[0], args[1]);
    if (found.empty()) {
        Complain(fmt::format("no device '{}' of manufacturer '{}' (see the devices command)",
                             args[1], args[0]));
        return kUsage;
    }
    if (found.size() > 1) {
        const bool bothFiles = std::any_of(found.begin(), found.end(), [&](const Found& f) {
            return std::string(f.file) != found.front().file;
        });
        Complain(bothFiles ? fmt::format("'{} {}' is in both data files; name one with --file {} "
                                         "or --file {}",
                                         args[0], args[1], kEpromFileName, kMicroFileName)
                           : fmt::format("'{} {}' names {} devices; spell it exactly as the "
                                         "devices command lists it",
                                         args[0], args[1], found.size()));
        return kUsage;
    }
    ScriptedSelection dialog(found.front());
    return SelectCommand(presenter.Session()).Run(dialog) == SelectOutcome::Selected ? kOk
                                                                                     : kFailed;
}

}  // namespace

void RegisterCatalogueCommands(CliSession& session) {
    MainPresenter& presenter = session.Presenter();
    session.Register("devices", 0, 0, [](const CliSession::Words&) { return Devices(); });
    session.Register("find", 1, 1,
                     [](const CliSession::Words& args) { return FindDevices(args[0]); });
    session.Register("select", 2, 4, [&presenter](const CliSession::Words& args) {
        return Select(presenter, args);
    });
}

}  // namespace karvo::cli
