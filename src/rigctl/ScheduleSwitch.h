#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

namespace vm {

// While a schedule is active the controller follows it: when a line's AOS
// minute comes, that line's satellite becomes the tracked one. Each line
// switches once, so an operator who chooses another satellite during the
// pass keeps it.
class ScheduleSwitch {
public:
    // The satellite to switch to at this moment (local time of utcMs), empty
    // when none is due. Reads today's schedule file of the data folder.
    QString due(const QString &dataDir, qint64 utcMs);

private:
    QDate m_day;
    QString m_lastLine;
};

} // namespace vm
