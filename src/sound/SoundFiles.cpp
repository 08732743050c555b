#include "sound/SoundFiles.h"

#include <QDir>
#include <QtEndian>

#include <algorithm>

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

std::optional<qint64> wavDurationMs(const QByteArray &head, qint64 fileSize)
{
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return std::nullopt;
    quint32 byteRate = 0;
    for (qsizetype at = 12; at + 8 <= head.size();) {
        const QByteArray id = head.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(head.constData() + at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= head.size())
            byteRate = qFromLittleEndian<quint32>(head.constData() + body + 8);
        if (id == "data") {
            if (byteRate == 0)
                return std::nullopt;
            const qint64 bytes = std::clamp<qint64>(fileSize - body, 0, size);
            return bytes * 1000 / byteRate;
        }
        // Chunks are padded to an even size.
        at = body + qsizetype(size) + (size & 1);
    }
    return std::nullopt;
}

} // namespace vm
