#pragma once

#include <QDate>
#include <QString>

namespace vm {

class Settings;

// Appends lines to the TX log: one file per calendar day, "MMdd_TX_log.txt",
// in the folder [Velomira] LogFol (created as "TXLogData" in the data folder
// and remembered there on first use).
class TxLogWriter {
public:
    TxLogWriter(Settings &settings, QString dataDir);

    // The day file for a date in the log folder (creating the folder).
    QString fileFor(const QDate &date, QString *error = nullptr);

    // Appends `line` and a line end to the file of `date`. False with a
    // reason in `error` when the folder or file cannot be written.
    bool append(const QString &line, const QDate &date, QString *error = nullptr);

private:
    Settings &m_settings;
    QString m_dataDir;
};

} // namespace vm
