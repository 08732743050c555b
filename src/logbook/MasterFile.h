#pragma once
// The Japanese logging program's master file of QTH codes: fixed 56-byte
// records after a 290-byte lead-in, each with the code, the place name and
// the satellite worked/confirmed flags. Read only, for the code lookup.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace vm {

struct MasterRecord {
    QString code; // trimmed
    QString name; // trailing spaces trimmed
    bool satConfirmed = false;
    bool satWorked = false;
};

namespace master {

constexpr int FirstRecordOffset = 290;
constexpr int RecordSize = 56;

// The records of the file's bytes; a short last record is ignored. Text is
// Shift_JIS as the Windows program writes it (UTF-8 when it decodes as such).
QList<MasterRecord> parse(const QByteArray &bytes);
// The whole file; nullopt when it cannot be read.
std::optional<QList<MasterRecord>> read(const QString &path);

// The master file beside the logging program's data file ("x.hdb" -> "x.mst").
QString pathFor(const QString &dataFilePath);

// The code list lines for what the operator typed: codes that begin with a
// one-byte text (with a status line about the satellite flags), or place
// names that contain a Japanese text; entries whose name has "*" are left out.
QStringList lookup(const QList<MasterRecord> &records, const QString &typed);

} // namespace master
} // namespace vm
