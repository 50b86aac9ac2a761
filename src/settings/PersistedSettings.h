#pragma once
#include <string>

#include "ports/PromptPort.h"
#include "ports/SettingsStore.h"
#include "settings/SettingsValues.h"

namespace karvo {

// The key's value names and the revision rule. The default set is written with
// revision 2001 and a normal exit writes 2002, so settings are trusted only
// after a run that ended cleanly from the same program directory.
namespace settings_keys {
inline constexpr const char* kKeyPath = "SOFTWARE\\Halvern\\KARVOMk2";
inline constexpr std::uint32_t kSavedRevision = 2002;
inline constexpr std::uint32_t kDefaultRevision = 2001;
}  // namespace settings_keys

class PersistedSettings {
  public:
    PersistedSettings(SettingsStore& store, PromptPort& prompts);

    // Writes the default set into an existing key that has no "RevNo" yet.
    void WriteDefaultSettings(const PersistedValues& current, const std::string& workingDir);
    // Validates the stored set against the revision and trust rules, rebuilds
    // it from defaults when it is not trusted, and loads it into values.
    void LoadSettings(PersistedValues& values, const std::string& workingDir);
    void SaveSettings(const PersistedValues& values);

  private:
    bool Fail();  // shows the store's failure text; always false
    bool WriteDefaults(const PersistedValues& current, const std::string& workingDir);
    bool ReadAll(PersistedValues& values, const std::string& workingDir);

    SettingsStore& store_;
    PromptPort& prompts_;
};

}  // namespace karvo
