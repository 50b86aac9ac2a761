#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace karvo {

// Registry-style storage of named values under one key. Every call that can
// fail returns false; LastError() then holds the failure's text for the user.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual bool KeyExists() = 0;
    virtual bool CreateKey() = 0;
    virtual bool DeleteKey() = 0;
    virtual bool ValueExists(const std::string& name) = 0;
    // nullopt when absent; a value of the wrong type is a failure.
    virtual bool ReadInt(const std::string& name, std::optional<std::uint32_t>& out) = 0;
    virtual bool ReadString(const std::string& name, std::optional<std::string>& out) = 0;
    virtual bool WriteInt(const std::string& name, std::uint32_t value) = 0;
    virtual bool WriteString(const std::string& name, const std::string& value) = 0;
    // Makes what was written durable; false when the medium refused it.
    virtual bool Flush() = 0;
    virtual std::string LastError() const = 0;
};

}  // namespace karvo
