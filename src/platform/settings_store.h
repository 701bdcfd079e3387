#pragma once

// Where the Settings persist: named integer and text values under named keys,
// as the per-user registry keeps them. Integers and texts are told apart on
// reading, so a value of the wrong type is recognised and ignored instead of
// being reinterpreted. A store that keeps no types (an INI file a person may
// edit) marks its texts `untyped`; such a text is also an integer where one
// is asked for, when it is a plain decimal number.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vlm {

class SettingsStore {
public:
    enum class Type {
        Missing,    // no such value (or no such key)
        Integer,    // a 32-bit integer
        Text,       // a text
        Unreadable, // present, but neither of the two
    };

    struct Value {
        Type type = Type::Missing;
        std::int32_t integer = 0;
        std::u16string text;
        // A Text read from a store without types: it may stand for an integer.
        bool untyped = false;
    };

    virtual ~SettingsStore() = default;

    // A decimal integer with an optional sign and blanks around it, within
    // the 32-bit range; anything else (empty, "0x1F", "7.5", "7 sides") is none.
    static std::optional<std::int32_t> parseDecimalInteger(std::u16string_view text);

    virtual Value read(std::string_view key, std::string_view name) const = 0;

    // Each returns false when the value could not be written or deleted.
    virtual bool writeInteger(std::string_view key, std::string_view name, std::int32_t value) = 0;
    virtual bool writeText(std::string_view key, std::string_view name, std::u16string_view value) = 0;
    virtual bool deleteValue(std::string_view key, std::string_view name) = 0;
    // Removes the key with every value in it.
    virtual bool deleteKey(std::string_view key) = 0;

    // Makes everything written so far permanent; false when it could not be,
    // in which case what was stored before stays as it was.
    virtual bool commit() = 0;

    // The value when it exists and has the asked type; an untyped text gives
    // an integer when it is a decimal number that fits 32 bits.
    std::optional<std::int32_t> readInteger(std::string_view key, std::string_view name) const;
    std::optional<std::u16string> readText(std::string_view key, std::string_view name) const;
};

} // namespace vlm
