#include "panel/SettingsMigration.h"

#include "common/SatelliteTable.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/TextFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace vm {

namespace {

const QStringList &droppedMarkers()
{
    static const QStringList list{
        QStringLiteral("AO-07="),
        QStringLiteral("AO-07B="),
        QStringLiteral("AO07mode="),
        QStringLiteral("XW-2A="),
        QStringLiteral("XW-2B="),
        QStringLiteral("XW-2C="),
        QStringLiteral("XW-2D="),
        QStringLiteral("XW-2E="),
        QStringLiteral("XW-2F="),
        QStringLiteral("FO-29="),
        QStringLiteral("VO-52="),
        QStringLiteral("AO-85="),
        QStringLiteral("AO-73="),
        QStringLiteral("AO-27="),
        QStringLiteral("SO-50="),
        QStringLiteral("SO-67="),
        QStringLiteral("DO-64"),
        QStringLiteral("AO-51"),
        QStringLiteral("HO-68"),
        QStringLiteral("HO68m"),
        QStringLiteral("LPCoffset"),
        QStringLiteral("未定義星"),
        QStringLiteral("CW Message="),
        QStringLiteral("WPMcomp="),
        QStringLiteral("wsjtx_log.adiの場所="),
        QStringLiteral("CALCapp="),
        QStringLiteral("IM="),
    };
    return list;
}

bool isDropped(const QString &line)
{
    for (const QString &m : droppedMarkers())
        if (line.contains(m))
            return true;
    return false;
}

bool isHeader(const QString &line)
{
    return line.contains(u'[');
}
bool isNoise(const QString &line)
{
    return !line.contains(u'[') && !line.contains(u'=');
}

const QStringList &perSatelliteMarkers()
{
    static const QStringList list{QStringLiteral("_offset="), QStringLiteral("=RX"), QStringLiteral("=TX"),
                                  QStringLiteral("=SX"), QStringLiteral("_RITfreq=")};
    return list;
}

} // namespace

QStringList SettingsMigration::convert(const QStringList &input, int *attention)
{
    QStringList lines = input;
    int count = 0;
    for (int i = 0; i < lines.size(); ++i) {
        QString &line = lines[i];
        if (line.contains(u"AO-07_offset=")) {
            line.replace(QStringLiteral("AO-07_offset="), QStringLiteral("AO-07B-mode_offset="));
            ++count;
            continue;
        }
        if (isDropped(line) || line.contains(u"[CallsLast20]"))
            ++count;
        // An empty line is already what a stray line becomes; only stray text counts.
        else if (isNoise(line) && !line.trimmed().isEmpty())
            ++count;
        else if (i > 0 && isHeader(line) && !lines.at(i - 1).isEmpty())
            ++count;
    }
    if (attention)
        *attention = count;
    if (count == 0)
        return lines;

    QStringList out;
    QStringList heldBack;
    bool holding = false;
    for (const QString &line : std::as_const(lines)) {
        if (holding) {
            if (isHeader(line))
                holding = false;
            else {
                heldBack.append(line);
                continue;
            }
        }
        if (line.contains(u"HomeFreq")) {
            holding = true;
            heldBack.append(line);
            continue;
        }
        if (isDropped(line))
            continue;
        if (line.contains(u"[CallsLast20]")) {
            if (!out.isEmpty() && !out.constLast().isEmpty())
                out.append(QString());
            out.append(
                QString(line).replace(QStringLiteral("[CallsLast20]"), QStringLiteral("[CallsLast50]")));
            continue;
        }
        if (isNoise(line)) {
            out.append(QString());
            continue;
        }
        if (isHeader(line) && !out.isEmpty() && !out.constLast().isEmpty())
            out.append(QString());
        out.append(line);
    }
    if (!heldBack.isEmpty()) {
        if (!out.isEmpty() && !out.constLast().isEmpty())
            out.append(QString());
        out.append(heldBack);
    }
    return out;
}

SettingsMigration::Outcome SettingsMigration::migrate(Settings &settings)
{
    Outcome outcome;
    if (settings.value(keys::MigrationLevel) == u"7")
        return outcome;
    outcome.ran = true;
    const QString path = settings.path();
    if (QFileInfo::exists(path)) {
        QString error;
        const auto lines = TextFile::readLines(path, &error);
        if (!lines) {
            outcome.error = error;
            return outcome;
        }
        int attention = 0;
        const QStringList converted = convert(*lines, &attention);
        if (attention > 0) {
            const QString backup = QFileInfo(path).absolutePath() + QStringLiteral("/B4_Velomira.ini");
            QFile::remove(backup);
            if (!QFile::copy(path, backup)) {
                outcome.error = QCoreApplication::translate("Panel", "B4_Velomira.ini を書けません");
                return outcome;
            }
            if (!TextFile::writeLinesAtomic(path, converted, &error)) {
                outcome.error = error;
                return outcome;
            }
            outcome.rewritten = true;
        }
    }
    if (!settings.setValue(keys::MigrationLevel, QStringLiteral("7")))
        outcome.error = QCoreApplication::translate("Panel", "Velomira.ini を書けません");
    return outcome;
}

QStringList SettingsMigration::purge(const QStringList &lines, const SatelliteTable &table, int *removed)
{
    QStringList stems;
    for (int n = 2; n <= table.count(); ++n) {
        const SatelliteRecord &r = table.record(n);
        if (!r.Name.isEmpty())
            stems.append(r.Name + r.MLTmode);
    }
    QStringList out;
    int gone = 0;
    for (const QString &line : lines) {
        bool keep = true;
        for (const QString &marker : perSatelliteMarkers()) {
            if (!line.contains(marker))
                continue;
            keep = false;
            for (const QString &stem : std::as_const(stems)) {
                if (line.contains(stem + marker)) {
                    keep = true;
                    break;
                }
            }
            break;
        }
        if (keep)
            out.append(line);
        else
            ++gone;
    }
    if (removed)
        *removed = gone;
    return out;
}

bool SettingsMigration::purgeFile(const QString &path, const SatelliteTable &table)
{
    // Without a readable table every key would look stale: keep them all.
    if (!QFileInfo::exists(path) || table.count() < 2)
        return true;
    const auto lines = TextFile::readLines(path);
    if (!lines)
        return false;
    int removed = 0;
    const QStringList kept = purge(*lines, table, &removed);
    if (removed == 0)
        return true;
    return TextFile::writeLinesAtomic(path, kept);
}

} // namespace vm
