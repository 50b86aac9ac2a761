#pragma once
#include <map>
#include <variant>

#include "ports/SettingsStore.h"

namespace karvo {

// A store in memory with registry semantics, for tests and for runs that must
// not touch the user's settings.
class MemorySettingsStore final : public SettingsStore {
  public:
    using Value = std::variant<std::uint32_t, std::string>;

    bool KeyExists() override { return exists_; }
    bool CreateKey() override;
    bool DeleteKey() override;
    bool ValueExists(const std::string& name) override;
    bool ReadInt(const std::string& name, std::optional<std::uint32_t>& out) override;
    bool ReadString(const std::string& name, std::optional<std::string>& out) override;
    bool WriteInt(const std::string& name, std::uint32_t value) override;
    bool WriteString(const std::string& name, const std::string& value) override;
    bool Flush() override { return true; }
    std::string LastError() const override { return lastError_; }

    std::map<std::string, Value>& Values() { return values_; }
    // Every write from now on fails, as a store on a full or read-only medium.
    void FailWrites(bool fail) { failWrites_ = fail; }

  private:
    bool exists_ = false;
    bool failWrites_ = false;
    std::map<std::string, Value> values_;
    std::string lastError_;
};

}  // namespace karvo
