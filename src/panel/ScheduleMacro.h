#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace vm {

// The macro the tracking program Kepral32 runs through the day's schedule:
// pass by pass it waits for the time, presses the tool-bar button that starts
// the panel, and when the satellite is not yet up picks it in its satellite
// selection by group and position.
namespace schedule_macro {

// One satellite of the tracking program's group list.
struct GroupEntry {
    QChar group;  // the group's digit
    int position; // 1, 2, ... in its group
    QString name;
    // "group,position,name,"
    QString text() const;
};

// The group list "group.txt": a line holding "＠グループ" starts a group
// named by its last character (a full-width digit read as its half-width
// form), an empty line ends it, every other line in a group is a satellite.
QList<GroupEntry> readGroups(const QStringList &lines);
// The tool-bar number of the user program that starts the panel, from the
// tracking program's settings: the key of the first line naming the panel's
// executable, without "USERPROGRAM" ("USERPROGRAM3 = ..." gives "3"); empty
// when there is none.
QString userProgramNumber(const QStringList &iniLines);
// The macro's lines for the schedule lines ("hh:mm/satellite"). With
// `addNotice` each pass's check time is its AOS moved by `noticeMinutes`
// (negative: before AOS).
QStringList build(const QStringList &schedule, const QList<GroupEntry> &groups, const QString &userProgram,
                  const QDate &day, int noticeMinutes, bool addNotice);

} // namespace schedule_macro

} // namespace vm
