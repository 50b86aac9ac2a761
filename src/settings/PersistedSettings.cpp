#include "settings/PersistedSettings.h"

#include "catalogue/DataFileNames.h"

namespace karvo {

using namespace settings_keys;

namespace {
constexpr const char* kCaption = "KARVO Mk2";
}

PersistedSettings::PersistedSettings(SettingsStore& store, PromptPort& prompts)
    : store_(store), prompts_(prompts) {}

bool PersistedSettings::Fail() {
    prompts_.ShowMessage(BoxKind::Error, kCaption, store_.LastError());
    return false;
}

bool PersistedSettings::WriteDefaults(const PersistedValues& current,
                                      const std::string& workingDir) {
    return (store_.WriteInt("SoundON", current.SoundON ? 1 : 0) &&
            store_.WriteInt("Id_flag", current.flags.Id_flag ? 1 : 0) &&
            store_.WriteInt("Test_flag", current.flags.Test_flag ? 1 : 0) &&
            store_.WriteInt("MaxMin_flag", current.flags.MaxMin_flag ? 1 : 0) &&
            store_.WriteInt("ProgBits", current.flags.ProgBits) &&
            store_.WriteInt("RevNo", kDefaultRevision) && store_.WriteInt("Manuf_index", 0) &&
            store_.WriteInt("Device_index", 0) && store_.WriteString("Filename", "KARVO_e.usb") &&
            store_.WriteString("PathLoadSave", workingDir) &&
            store_.WriteString("DefaultDir", workingDir) && store_.Flush()) ||
           Fail();
}

void PersistedSettings::WriteDefaultSettings(const PersistedValues& current,
                                             const std::string& workingDir) {
    // A missing key is the first run, which LoadSettings handles quietly.
    if (!store_.KeyExists() || store_.ValueExists("RevNo")) return;
    WriteDefaults(current, workingDir);
}

bool PersistedSettings::ReadAll(PersistedValues& values, const std::string& workingDir) {
    PersistedValues read = values;
    auto readBool = [&](const char* name, bool& out) {
        std::optional<std::uint32_t> v;
        if (!store_.ReadInt(name, v)) return false;
        if (v) out = *v != 0;
        return true;
    };
    auto readInt = [&](const char* name, std::int32_t& out) {
        std::optional<std::uint32_t> v;
        if (!store_.ReadInt(name, v)) return false;
        // Indexes come back as they were stored; a value no catalogue can hold
        // (negative) starts from the first entry instead.
        if (v) out = *v > 0x7FFFFFFFu ? 0 : static_cast<std::int32_t>(*v);
        return true;
    };
    // Paths are kept whole: a cut folder would never match again, and the
    // settings would fall back to the defaults on every start.
    auto readText = [&](const char* name, std::string& out) {
        std::optional<std::string> v;
        if (!store_.ReadString(name, v)) return false;
        out = v.value_or(std::string());
        return true;
    };
    std::optional<std::uint32_t> progBits;
    std::string defaultDir;
    const bool ok =
        readBool("SoundON", read.SoundON) && readBool("Id_flag", read.flags.Id_flag) &&
        readBool("Test_flag", read.flags.Test_flag) &&
        readBool("MaxMin_flag", read.flags.MaxMin_flag) && store_.ReadInt("ProgBits", progBits) &&
        readInt("Manuf_index", read.ManufIndex) && readInt("Device_index", read.DeviceIndex) &&
        readText("Filename", read.DataFileName) && readText("PathLoadSave", read.LoadSaveDir) &&
        readText("DefaultDir", defaultDir);
    // A failure ends the load; the values read before it are kept.
    if (progBits) read.flags.ProgBits = static_cast<std::uint8_t>(*progBits & 0xFF);
    // Only the program's own data files are ever opened: a name that points
    // anywhere else (an edited or damaged store) starts from the first file.
    if (read.DataFileName != kEpromFileName && read.DataFileName != kMicroFileName) {
        read.DataFileName = kEpromFileName;
    }
    read.ProgramDir = defaultDir.empty() ? workingDir : defaultDir;
    values = read;
    return ok || Fail();
}

void PersistedSettings::LoadSettings(PersistedValues& values, const std::string& workingDir) {
    values.ProgramDir = workingDir;
    if (values.LoadSaveDir.empty()) values.LoadSaveDir = workingDir;
    if (!store_.KeyExists()) {
        // First run: make the key and its default set. The flags keep their
        // start-up values, which are the defaults.
        if (!store_.CreateKey()) {
            Fail();
            return;
        }
        WriteDefaults(values, workingDir);
        return;
    }
    std::optional<std::string> storedDir;
    std::optional<std::uint32_t> revision;
    if (!store_.ReadString("DefaultDir", storedDir) || !store_.ReadInt("RevNo", revision)) {
        Fail();
        return;
    }
    const bool trusted = revision == kSavedRevision && storedDir.value_or("") == workingDir;
    if (!trusted) {
        // Settings of another program directory or of a run that never exited
        // cleanly: start again from the defaults.
        if (!store_.DeleteKey() || !store_.CreateKey()) {
            Fail();
            return;
        }
        if (!WriteDefaults(values, workingDir)) return;
    }
    ReadAll(values, workingDir);
}

void PersistedSettings::SaveSettings(const PersistedValues& values) {
    if (!store_.KeyExists() && !store_.CreateKey()) {
        prompts_.ShowMessage(BoxKind::Error, kCaption, " Can't open program serial key.");
        return;
    }
    (store_.WriteInt("SoundON", values.SoundON ? 1 : 0) &&
     store_.WriteInt("Id_flag", values.flags.Id_flag ? 1 : 0) &&
     store_.WriteInt("Test_flag", values.flags.Test_flag ? 1 : 0) &&
     store_.WriteInt("MaxMin_flag", values.flags.MaxMin_flag ? 1 : 0) &&
     store_.WriteInt("ProgBits", values.flags.ProgBits) &&
     store_.WriteInt("RevNo", kSavedRevision) &&
     store_.WriteInt("Manuf_index", static_cast<std::uint32_t>(values.ManufIndex)) &&
     store_.WriteInt("Device_index", static_cast<std::uint32_t>(values.DeviceIndex)) &&
     store_.WriteString("Filename", values.DataFileName) &&
     store_.WriteString("PathLoadSave", values.LoadSaveDir) &&
     store_.WriteString("DefaultDir", values.ProgramDir) && store_.Flush()) ||
        Fail();
}

}  // namespace karvo
