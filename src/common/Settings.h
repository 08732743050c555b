#pragma once

#include "common/ProfileFile.h"
#include "common/SettingKey.h"

#include <QString>
#include <optional>

namespace vm {

// The programs' access routines to the settings file "Velomira.ini".
//
// The classic pair works on a current section: read(key) gives the stored
// value, or the section name itself when the key is missing (callers compare
// against it); write(key, value) stores a value, and the reserved key "NEW"
// deletes the file so that the following writes build a fresh one.
//
// The key-table access value(SettingKey) applies the key's default and
// normalisation rule; it is what loaders should use.
class Settings {
public:
    // The settings file at `path`.
    explicit Settings(QString path);

    // The settings file "Velomira.ini" of the data folder.
    static QString defaultPath();

    const QString &path() const { return m_file.path(); }
    ProfileFile &file() { return m_file; }
    const ProfileFile &file() const { return m_file; }

    void setSection(const QString &section) { m_section = section; }
    const QString &section() const { return m_section; }

    // The value of key in the current section, cut at a NUL; the section
    // name when the key is missing.
    QString read(const QString &key) const;
    // True when a read value means "missing" (it equals the section name).
    bool isMissing(const QString &value) const { return value == m_section; }

    // Writes key=value in the current section; "NEW" deletes the file
    // (nothing happens when it does not exist). False when nothing could be written.
    bool write(const QString &key, const QString &value);

    // The stored value of a table key, nullopt when missing (a value equal to
    // the section name counts as missing, as with read()).
    std::optional<QString> stored(const SettingKey &key) const;
    // The value in use: stored value normalised by the key's rule, or its default.
    QString value(const SettingKey &key) const;
    bool contains(const SettingKey &key) const { return stored(key).has_value(); }
    bool setValue(const SettingKey &key, const QString &value);
    bool removeValue(const SettingKey &key);

private:
    ProfileFile m_file;
    QString m_section;
};

} // namespace vm
