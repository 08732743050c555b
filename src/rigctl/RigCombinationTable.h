#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace vm {

// One registered rig set-up for one satellite ("RigCombi.txt", sixteen quoted
// fields per line).
struct RigCombination {
    enum Field {
        SatelliteLabel, // satellite name, one blank, its mode text; or "None"
        RigType,
        RigPort,
        BaudRate,
        IcomAddress,
        StopBits,
        TextProtocol,
        RigType2,
        RigPort2,
        BaudRate2,
        IcomAddress2,
        StopBits2,
        TextProtocol2,
        PollTime,
        RigContType,
        Lmf,
        FieldCount
    };
    std::array<QString, FieldCount> fields;

    const QString &operator[](Field f) const { return fields[f]; }
    QString &operator[](Field f) { return fields[f]; }
};

// The table of satellite-specific rig set-ups.
class RigCombinationTable {
public:
    // Reads the file. A missing file leaves the table as it was; a file of
    // length 0 is deleted and the table emptied. Lines that do not hold
    // sixteen fields are kept with the missing fields empty and reported.
    void load(const QString &path);

    // Rewrites the file atomically with the records.
    static bool save(const QString &path, const QList<RigCombination> &records, QString *error = nullptr);

    int count() const { return static_cast<int>(m_records.size()); }
    const QList<RigCombination> &records() const { return m_records; }
    // The record registered for "name mode", or nullptr.
    const RigCombination *find(const QString &satelliteLabel) const;
    const QStringList &problems() const { return m_problems; }
    void clear() { m_records.clear(); }

    // One line in the file's form: every field double-quoted, comma-separated.
    static QString formatLine(const RigCombination &record);
    // The fields of one line; quotes removed, blanks around unquoted fields trimmed.
    static QStringList parseLine(const QString &line);

private:
    QList<RigCombination> m_records;
    QStringList m_problems;
};

} // namespace vm
