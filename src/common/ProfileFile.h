#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace vm {

// An initialisation-format settings file ("[section]" and "key=value" lines)
// with the Windows private-profile rules: sections and keys match without
// regard to case, a missing key reads as the caller's default, the first
// write creates the file, and a write keeps every other line as it was.
//
// Every write re-reads the file, holds an advisory lock on a companion lock
// file across read-modify-write and replaces the file atomically, so that two
// programs writing at once lose nothing and a crash never leaves half a file.
class ProfileFile {
public:
    explicit ProfileFile(QString path);

    const QString &path() const { return m_path; }

    // The value of key in section, or `defaultValue` when absent.
    QString get(const QString &section, const QString &key, const QString &defaultValue) const;

    // The stored value as `get` would return it, or nullopt when the key is
    // absent (or has no "=" on its line).
    std::optional<QString> value(const QString &section, const QString &key) const;

    // Writes key=value in section (creating section and file as needed);
    // a nullopt value removes the key. The value is cut at a NUL and loses
    // its leading blanks. False when the file could not be read or written,
    // or when a name or value would break the line structure (line breaks,
    // "=" in a key, "]" in a section); the file is then left unchanged.
    bool set(const QString &section, const QString &key, const std::optional<QString> &value);

    // Writes several keys of sections in one locked read-modify-write.
    struct Entry {
        QString section;
        QString key;
        std::optional<QString> value;
    };
    bool setMany(const QList<Entry> &entries);

    // Removes every line whose key satisfies the predicate (used to purge
    // per-satellite keys of satellites no longer in the table).
    bool removeKeysIf(const QString &section, const std::function<bool(const QString &key)> &pred);

    // Deletes the file (true when it is gone afterwards).
    bool remove();

    QStringList sections() const;
    QStringList keys(const QString &section) const;

private:
    QString m_path;
};

} // namespace vm
