#include "platform/memory_settings_store.h"

namespace vlm {

SettingsStore::Value MemorySettingsStore::read(std::string_view key, std::string_view name) const
{
    auto k = keys_.find(key);
    if (k == keys_.end())
        return {};
    auto v = k->second.find(name);
    if (v == k->second.end())
        return {};
    return v->second;
}

void MemorySettingsStore::put(std::string_view key, std::string_view name, Value value)
{
    auto k = keys_.try_emplace(std::string(key)).first;
    k->second.insert_or_assign(std::string(name), std::move(value));
}

bool MemorySettingsStore::writeInteger(std::string_view key, std::string_view name, std::int32_t value)
{
    if (!writable_)
        return false;
    put(key, name, Value{Type::Integer, value, {}});
    return true;
}

bool MemorySettingsStore::writeText(std::string_view key, std::string_view name, std::u16string_view value)
{
    if (!writable_)
        return false;
    put(key, name, Value{Type::Text, 0, std::u16string(value)});
    return true;
}

bool MemorySettingsStore::deleteValue(std::string_view key, std::string_view name)
{
    if (!writable_)
        return false;
    auto k = keys_.find(key);
    if (k != keys_.end()) {
        auto v = k->second.find(name);
        if (v != k->second.end())
            k->second.erase(v);
    }
    return true;
}

bool MemorySettingsStore::deleteKey(std::string_view key)
{
    if (!writable_)
        return false;
    auto k = keys_.find(key);
    if (k != keys_.end())
        keys_.erase(k);
    return true;
}

} // namespace vlm
