#include "panel/ScheduleMacro.h"

#include "common/ScheduleFile.h"

#include <QDateTime>

namespace vm::schedule_macro {

QString GroupEntry::text() const
{
    return QString(group) + u',' + QString::number(position) + u',' + name + u',';
}

QList<GroupEntry> readGroups(const QStringList &lines)
{
    QList<GroupEntry> out;
    QChar group;
    int position = 0;
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.contains(QStringLiteral("＠グループ"))) {
            QChar last = line.back();
            if (last >= QChar(0xFF10) && last <= QChar(0xFF19)) // full-width digits
                last = QChar(u'0' + (last.unicode() - 0xFF10));
            group = last;
            position = 0;
        } else if (line.isEmpty()) {
            group = QChar();
        } else if (!group.isNull()) {
            out.append({group, ++position, line});
        }
    }
    return out;
}

QString userProgramNumber(const QStringList &iniLines)
{
    for (const QString &line : iniLines) {
        const QString upper = line.toUpper();
        if (!upper.contains(QStringLiteral("VELOMIRA")))
            continue;
        const qsizetype eq = upper.indexOf(u'=');
        return (eq < 0 ? upper : upper.left(eq)).trimmed().remove(QStringLiteral("USERPROGRAM"));
    }
    return {};
}

QStringList build(const QStringList &schedule, const QList<GroupEntry> &groups, const QString &userProgram,
                  const QDate &day, int noticeMinutes, bool addNotice)
{
    const QString format = QStringLiteral("yyyy/MM/dd hh:mm:ss");
    QStringList out{QStringLiteral("Velomira_macro:")};
    for (int i = 0; i < schedule.size(); ++i) {
        const QString &line = schedule.at(i);
        const QString satellite = ScheduleFile::satelliteOf(line);
        const auto entry = std::find_if(groups.begin(), groups.end(), [&](const GroupEntry &g) {
            return !satellite.isEmpty() && g.text().contains(satellite);
        });
        const QTime time = QTime::fromString(line.section(u'/', 0, 0).trimmed(), QStringLiteral("H:mm"));
        if (entry == groups.end() || !time.isValid()) {
            out.append(QString());
            continue;
        }
        const QDateTime aos(day, time);
        const QDateTime check = addNotice ? aos.addSecs(qint64(noticeMinutes) * 60) : aos;
        const QString next = QStringLiteral("JP%1").arg(i + 1);
        if (!userProgram.isEmpty()) {
            out.append(QStringLiteral("JP%1:IF(Now? >= #%2#)*%3").arg(i).arg(aos.toString(format), next));
            out.append(QStringLiteral("次の衛星「 %1 」待ち:CLICK ToolBar%2 [%3]")
                           .arg(satellite, userProgram, check.addSecs(-30).toString(format)));
        }
        out << QStringLiteral("!X=SatElevation? [%1]").arg(check.toString(format))
            << QStringLiteral("IF(!X <= 0) *CHG%1").arg(i) << QStringLiteral("GOTO *%1").arg(next)
            << QStringLiteral("CHG%1:SHOW frmSatSelect").arg(i)
            << QStringLiteral("CLICK %1-%2").arg(entry->group).arg(QString::number(entry->position).left(1))
            << QStringLiteral("HIDE frmSatSelect") << QString();
    }
    out.append(QStringLiteral("JP%1:END").arg(schedule.size()));
    return out;
}

} // namespace vm::schedule_macro
