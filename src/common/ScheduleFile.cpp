#include "common/ScheduleFile.h"

#include "common/DataDir.h"
#include "common/TextFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace vm {

QString ScheduleFile::path() const
{
    return findFileNoCase(m_dir, QString::fromLatin1(FileName));
}

ScheduleFile::State ScheduleFile::state(const QDate &today) const
{
    const QFileInfo info(path());
    if (!info.isFile())
        return State::Missing;
    // The whole date, not only month and day: a file of the same day a year
    // ago is not today's.
    return info.lastModified().date() == today ? State::Today : State::OtherDay;
}

std::optional<QStringList> ScheduleFile::loadToday(const QDate &today) const
{
    if (state(today) != State::Today)
        return std::nullopt;
    std::optional<QStringList> lines = TextFile::readLines(path());
    if (lines)
        lines->removeAll(QString());
    return lines;
}

bool ScheduleFile::save(const QStringList &lines, QString *error) const
{
    return TextFile::writeLinesAtomic(path(), lines, error);
}

bool ScheduleFile::remove() const
{
    return !QFile::exists(path()) || QFile::remove(path());
}

QString ScheduleFile::satelliteOf(const QString &line)
{
    const qsizetype slash = line.indexOf(u'/');
    return slash < 0 ? QString() : line.mid(slash + 1);
}

std::optional<int> ScheduleFile::minutesSince(const QString &hhmm, const QTime &now)
{
    const QTime t = QTime::fromString(hhmm.trimmed(), QStringLiteral("H:mm"));
    if (!t.isValid())
        return std::nullopt;
    return (now.hour() * 60 + now.minute()) - (t.hour() * 60 + t.minute());
}

QStringList ScheduleFile::transfer(QStringList lines, const QString &satellite, const QStringList &aosTimes)
{
    lines.removeIf([&satellite](const QString &l) { return l.contains(satellite); });
    for (const QString &t : aosTimes)
        lines << t + u'/' + satellite;
    return lines;
}

} // namespace vm
