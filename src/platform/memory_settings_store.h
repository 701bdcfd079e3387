#pragma once

// A SettingsStore held in memory: what tests give the Settings, and the
// working copy behind the file-backed store.

#include "platform/settings_store.h"

#include <map>
#include <string>

namespace vlm {

class MemorySettingsStore : public SettingsStore {
public:
    Value read(std::string_view key, std::string_view name) const override;
    bool writeInteger(std::string_view key, std::string_view name, std::int32_t value) override;
    bool writeText(std::string_view key, std::string_view name, std::u16string_view value) override;
    bool deleteValue(std::string_view key, std::string_view name) override;
    bool deleteKey(std::string_view key) override;
    bool commit() override { return writable_; }

    // Puts a value of any type in place, as a damaged store would hold it.
    void put(std::string_view key, std::string_view name, Value value);

    // A store that refuses every write, as a registry key without access.
    void setWritable(bool writable) { writable_ = writable; }

    using Values = std::map<std::string, Value, std::less<>>;
    using Keys = std::map<std::string, Values, std::less<>>;
    const Keys& keys() const { return keys_; }
    void clear() { keys_.clear(); }

private:
    Keys keys_;
    bool writable_ = true;
};

} // namespace vlm
