#pragma once

#include <QString>

#include <limits>
#include <optional>

namespace vm {

// How a stored settings value is turned into the value the programs use.
enum class KeyRule {
    Text,        // as stored; the default only when missing
    NonEmpty,    // the default also when stored empty
    Integer,     // a number (rounded); the default when not a number; raised to `minimum`
    Number,      // a number kept as written; the default when not a number
    Choice,      // one of `choices` ("A|B|C"), else the default
    ZeroElseOne, // "0" stays "0", any other value is "1"
    OneElseZero, // "1" stays "1", any other value is "0"
    Port,        // serial device; "0" and empty mean "None"; "None" also when the rig model is missing
    CivAddress,  // two hexadecimal digits, read as a two-character field
    BandDigits,  // two digits; a stored value of exactly four characters is cut to two
    RigContType, // "0".."4"; otherwise derived from the two-rig flag
};

// One key of the settings file: where it lives, its default and the rule that
// normalises what is stored. Declared once each in SettingKeys.h.
struct SettingKey {
    const char *section;      // UTF-8
    const char *key;          // UTF-8
    const char *defaultValue; // UTF-8; nullptr: no default, a missing key reads empty
    KeyRule rule = KeyRule::Text;
    int minimum = std::numeric_limits<int>::min(); // Integer
    const char *choices = nullptr;                 // Choice
    const SettingKey *related = nullptr;           // Port: the rig model key; RigContType: the two-rig flag

    QString sectionName() const { return QString::fromUtf8(section); }
    QString keyName() const { return QString::fromUtf8(key); }
    bool hasDefault() const { return defaultValue != nullptr; }
    QString defaultText() const { return defaultValue ? QString::fromUtf8(defaultValue) : QString(); }

    // The value in use for a stored value (nullopt: the key is missing).
    // `related` is the stored value of the related key, when the rule has one.
    QString normalise(const std::optional<QString> &stored,
                      const std::optional<QString> &related = std::nullopt) const;
};

} // namespace vm
