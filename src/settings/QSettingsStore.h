#pragma once
#include <memory>

#include "ports/SettingsStore.h"

class QSettings;

namespace karvo {

// The real store. On Windows the current user's registry; elsewhere an INI file
// in the user's configuration directory, or the file given (`--settings FILE`).
class QSettingsStore final : public SettingsStore {
  public:
    QSettingsStore();                                     // the user's store
    explicit QSettingsStore(const std::string& iniFile);  // a file of the caller's
    ~QSettingsStore() override;

    bool KeyExists() override;
    bool CreateKey() override;
    bool DeleteKey() override;
    bool ValueExists(const std::string& name) override;
    bool ReadInt(const std::string& name, std::optional<std::uint32_t>& out) override;
    bool ReadString(const std::string& name, std::optional<std::string>& out) override;
    bool WriteInt(const std::string& name, std::uint32_t value) override;
    bool WriteString(const std::string& name, const std::string& value) override;
    bool Flush() override;
    std::string LastError() const override { return lastError_; }

  private:
    // A file the INI reader cannot parse is kept beside it as NAME.unreadable
    // and a new one started: otherwise every save would fail on it forever.
    void SetAsideUnreadableFile();

    std::unique_ptr<QSettings> settings_;
    // An INI file cannot hold an empty group, so a key created but not yet
    // written lives here until its first value lands.
    bool createdEmpty_ = false;
    std::string lastError_;
};

}  // namespace karvo
