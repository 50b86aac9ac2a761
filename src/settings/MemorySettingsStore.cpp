#include "settings/MemorySettingsStore.h"

namespace karvo {

bool MemorySettingsStore::CreateKey() {
    exists_ = true;
    return true;
}

bool MemorySettingsStore::DeleteKey() {
    exists_ = false;
    values_.clear();
    return true;
}

bool MemorySettingsStore::ValueExists(const std::string& name) {
    return exists_ && values_.count(name) != 0;
}

bool MemorySettingsStore::ReadInt(const std::string& name, std::optional<std::uint32_t>& out) {
    out.reset();
    const auto it = values_.find(name);
    if (it == values_.end()) return true;
    if (const auto* v = std::get_if<std::uint32_t>(&it->second)) {
        out = *v;
        return true;
    }
    lastError_ = "Invalid data type for '" + name + "'";
    return false;
}

bool MemorySettingsStore::ReadString(const std::string& name, std::optional<std::string>& out) {
    out.reset();
    const auto it = values_.find(name);
    if (it == values_.end()) return true;
    if (const auto* v = std::get_if<std::string>(&it->second)) {
        out = *v;
        return true;
    }
    lastError_ = "Invalid data type for '" + name + "'";
    return false;
}

bool MemorySettingsStore::WriteInt(const std::string& name, std::uint32_t value) {
    if (failWrites_ || !exists_) {
        lastError_ = "Failed to set data for '" + name + "'";
        return false;
    }
    values_[name] = value;
    return true;
}

bool MemorySettingsStore::WriteString(const std::string& name, const std::string& value) {
    if (failWrites_ || !exists_) {
        lastError_ = "Failed to set data for '" + name + "'";
        return false;
    }
    values_[name] = value;
    return true;
}

}  // namespace karvo
