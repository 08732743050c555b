#include "rigctl/ScheduleSwitch.h"

#include "common/ScheduleFile.h"

#include <QDateTime>

namespace vm {

QString ScheduleSwitch::due(const QString &dataDir, qint64 utcMs)
{
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(utcMs);
    if (now.date() != m_day) {
        m_day = now.date();
        m_lastLine.clear();
    }
    const std::optional<QStringList> lines = ScheduleFile(dataDir).loadToday(m_day);
    if (!lines)
        return {};
    for (const QString &line : *lines) {
        if (ScheduleFile::minutesSince(ScheduleFile::timeOf(line), now.time()) != 0 || line == m_lastLine)
            continue;
        m_lastLine = line;
        return ScheduleFile::satelliteOf(line).trimmed();
    }
    return {};
}

} // namespace vm
