#pragma once

#include "common/SatelliteRecord.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace vm {

class ProfileFile;

// One entry of the multi-mode index: a satellite row that names its mode.
struct MultiModeEntry {
    QString Name;
    int Record = 0; // record number, 1-based (1 is the header)
    QString MLTmode;
};

// A problem found while loading the table, with the line it is on.
struct TableProblem {
    enum Kind {
        Unreadable, // the file could not be read (line 0)
        ItemCount,  // a line without exactly ten items
        NotANumber, // a frequency item that is not a number; the row is not usable
    };
    Kind kind;
    int line;
    QString message;
};

// The satellite table "SATdata.txt": one satellite per line, ten
// comma-separated items, line 1 a header that is loaded as record 1.
//
// Each line is read as one record: a line with fewer items leaves the rest
// empty, a line with more loses the extra ones, and either is reported as a
// problem, so that one bad line never shifts the lines after it.
class SatelliteTable {
public:
    static QString fileName() { return QStringLiteral("SATdata.txt"); }
    // The header line the panel writes.
    static QString headerLine();
    // The table written when none exists: the header and two AO-07 rows.
    static QStringList defaultLines();
    static bool writeDefault(const QString &path, QString *error = nullptr);

    // Converts a table of the older nine-column layout to ten columns; a
    // table without nine-item lines is not touched.
    enum class UpgradeResult { NotNeeded, Upgraded, Failed };
    static UpgradeResult upgrade(const QString &path, QString *error = nullptr);

    // The items of one line: an item ends at a comma or the end of the line,
    // surrounding blanks are dropped and surrounding double quotes removed
    // (a quoted item may hold commas).
    static QStringList splitItems(const QString &line);

    // Reads the table; returns the number of records, header included
    // (0 when the file cannot be read). Builds the multi-mode index.
    int load(const QString &path);

    // Derives every usable satellite record and attaches its RIT frequency
    // from [SATinfo] of the settings file (none given: "0"). False when the
    // table holds no satellite row.
    bool derive(const ProfileFile *settings = nullptr);

    // Writes the records as table lines, atomically.
    bool save(const QString &path, QString *error = nullptr) const;

    int count() const { return int(m_records.size()); }
    const QList<SatelliteRecord> &records() const { return m_records; }
    QList<SatelliteRecord> &records() { return m_records; }
    // Record n, 1-based.
    const SatelliteRecord &record(int n) const { return m_records.at(n - 1); }

    // Number of the first usable record with this name and mode (empty mode:
    // any), or 0.
    int find(const QString &name, const std::optional<QString> &mode = std::nullopt) const;

    const QList<MultiModeEntry> &multiModeIndex() const { return m_multiMode; }
    // Entries of the multi-mode index for one satellite name, in file order.
    QList<MultiModeEntry> modesOf(const QString &name) const;

    const QList<TableProblem> &problems() const { return m_problems; }
    // The problems as texts naming their line numbers.
    QStringList warnings() const;

private:
    void buildIndex();

    QList<SatelliteRecord> m_records;
    QList<MultiModeEntry> m_multiMode;
    QList<TableProblem> m_problems;
};

} // namespace vm
