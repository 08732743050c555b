#include "sound/SoundFiles.h"

#include <QDir>

namespace vm {

qint64 recordingLimitBytes(int sampleRate)
{
    return qint64(sampleRate) * 2 * 60 * RecordingLimitMinutes;
}

QString recordingPath(const QString &folder, const QString &satellite, const QDateTime &when)
{
    QString name = satellite.trimmed();
    for (QChar &c : name) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            c = u'-';
    }
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("sat");
    return QDir(folder).filePath(name + u'_' + when.toString(QStringLiteral("yyyyMMddhhmm")) +
                                 QStringLiteral(".wav"));
}

bool isSoundFile(const QString &path)
{
    const QString upper = path.toUpper();
    for (const char *ext : {".MID", ".WMA", ".WMV", ".MP3", ".WAV"}) {
        if (upper.contains(QLatin1String(ext)))
            return true;
    }
    return false;
}

} // namespace vm
