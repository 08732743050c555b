#include "rigctl/OffsetBackup.h"

#include "common/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vm::offsetBackup {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("vm::offsetBackup", text);
}

bool controlled(const RigSettings &rig)
{
    return !rig.type.isEmpty() && rig.type != u"None";
}

} // namespace

QString rigLabel(const RigArrangement &rigs)
{
    switch (rigs.rigUsage) {
    case 0:
    case 1:
        return controlled(rigs.rig1) ? rigs.rig1.type : QString();
    case 2:
        return controlled(rigs.rig2) ? rigs.rig2.type : QString();
    case 3:
        return controlled(rigs.rig1) && controlled(rigs.rig2) ? rigs.rig1.type + u'+' + rigs.rig2.type
                                                              : QString();
    default:
        return QString();
    }
}

QString fileName(const QString &label)
{
    return label + QStringLiteral("_ALL_Offset.dat");
}

Result save(const QString &settingsPath, const QString &dataDir, const QString &label)
{
    Result r;
    if (!QFileInfo::exists(settingsPath)) {
        r.message = tr("iniファイル見つからず");
        return r;
    }
    QString error;
    const std::optional<QStringList> lines = TextFile::readLines(settingsPath, &error);
    if (!lines) {
        r.message = error;
        return r;
    }
    const QStringList offsets = lines->filter(QStringLiteral("_offset="));
    if (offsets.isEmpty()) {
        r.message = tr("offsetデータなし");
        return r;
    }
    r.path = QDir(dataDir).filePath(fileName(label));
    if (!TextFile::writeLinesAtomic(r.path, offsets, &error)) {
        r.message = error;
        return r;
    }
    r.ok = true;
    r.message = tr("%1用のoffsetデータを保存しました\n場所＆ﾌｧｲﾙ名＝ %2").arg(label, r.path);
    return r;
}

bool isBackupOf(const QString &path, const QString &label)
{
    return !label.isEmpty() && QFileInfo(path).fileName().compare(fileName(label), Qt::CaseInsensitive) == 0;
}

QList<QPair<QString, QString>> entries(const QStringList &lines)
{
    QList<QPair<QString, QString>> out;
    for (const QString &line : lines) {
        const QStringList parts = line.split(u'=');
        if (parts.size() != 2)
            continue;
        const QString key = parts.at(0).trimmed();
        const QString value = parts.at(1).trimmed();
        bool number = false;
        value.toInt(&number);
        if (key.size() > 7 && key.endsWith(QStringLiteral("_offset"), Qt::CaseInsensitive) && number)
            out.append({key, value});
    }
    return out;
}

} // namespace vm::offsetBackup
