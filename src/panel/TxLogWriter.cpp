#include "panel/TxLogWriter.h"

#include "common/SettingKeys.h"
#include "common/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace vm {

TxLogWriter::TxLogWriter(Settings &settings, QString dataDir)
    : m_settings(settings), m_dataDir(std::move(dataDir))
{
}

QString TxLogWriter::fileFor(const QDate &date, QString *error)
{
    QString folder = m_settings.value(keys::LogFol);
    if (folder.isEmpty()) {
        folder = QDir(m_dataDir).filePath(QStringLiteral("TXLogData")) + u'/';
        m_settings.setValue(keys::LogFol, folder);
    }
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QCoreApplication::translate("Panel", "フォルダを作れません: ") + folder;
        return QString();
    }
    return QDir(folder).filePath(date.toString(QStringLiteral("MMdd")) + QStringLiteral("_TX_log.txt"));
}

bool TxLogWriter::append(const QString &line, const QDate &date, QString *error)
{
    const QString path = fileFor(date, error);
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = (line + u'\n').toUtf8();
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace vm
