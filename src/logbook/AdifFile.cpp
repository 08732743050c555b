#include "logbook/AdifFile.h"

#include "logbook/Adif.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vm {

namespace {

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

bool AdifFile::append(const Qso &qso, const QDateTime &nowUtc, QString *error) const
{
    if (m_path.isEmpty())
        return fail(error, QCoreApplication::translate("AdifFile", "ADIFファイルが設定されていません"));
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QFile file(m_path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append))
        return fail(error, QCoreApplication::translate("AdifFile", "ADIFファイルを開けません: %1 (%2)")
                               .arg(m_path, file.errorString()));
    QByteArray out;
    if (file.size() == 0) {
        out = adif::header(nowUtc);
    } else {
        // A file another program left without a final line end still gets
        // the record on a line of its own.
        file.seek(file.size() - 1);
        char last = '\n';
        file.getChar(&last);
        if (last != '\n')
            out = "\n";
    }
    out += adif::record(qso);
    const qint64 written = file.write(out);
    const bool flushed = file.flush();
    file.close();
    if (written != out.size() || !flushed || file.error() != QFileDevice::NoError)
        return fail(error, QCoreApplication::translate("AdifFile", "ADIFファイルに書き込めません: %1 (%2)")
                               .arg(m_path, file.errorString()));
    return true;
}

} // namespace vm
