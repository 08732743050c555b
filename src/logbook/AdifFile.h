#pragma once
// An ADIF log file that other programs may append to as well: each contact
// opens the file, appends one record (the header first when the file is new
// or empty) and closes it again.
#include "logbook/Qso.h"

#include <QDateTime>
#include <QString>

namespace vm {

class AdifFile {
public:
    explicit AdifFile(QString path) : m_path(std::move(path)) {}

    const QString &path() const { return m_path; }

    // Appends `qso`; false with the reason in `error` when the file could
    // not be written completely (the caller keeps the contact).
    bool append(const Qso &qso, const QDateTime &nowUtc, QString *error = nullptr) const;

private:
    QString m_path;
};

} // namespace vm
