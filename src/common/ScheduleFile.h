#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

namespace vm {

// The day's schedule "Velomira_skd.dat" in the data folder: one line per
// pass, "hh:mm/satellite", in the order of the list. A file counts only on
// the (local) day it was last written; both programs read it.
class ScheduleFile {
public:
    static constexpr char FileName[] = "Velomira_skd.dat";

    enum class State { Missing, Today, OtherDay };

    explicit ScheduleFile(QString dataDir) : m_dir(std::move(dataDir)) {}

    QString path() const;
    State state(const QDate &today) const;
    // The lines of today's file; nullopt when there is none or it is of another day.
    std::optional<QStringList> loadToday(const QDate &today) const;
    bool save(const QStringList &lines, QString *error = nullptr) const;
    bool remove() const;

    // "hh:mm" of a line and the satellite after its first "/".
    static QString timeOf(const QString &line) { return line.left(5); }
    static QString satelliteOf(const QString &line);
    // Minutes from a line's time to now, counted in whole clock minutes
    // (negative while the time is ahead); nullopt when the time is unreadable.
    static std::optional<int> minutesSince(const QString &hhmm, const QTime &now);
    // Replaces the lines of `satellite` by one line per AOS time ("hh:mm").
    static QStringList transfer(QStringList lines, const QString &satellite, const QStringList &aosTimes);

private:
    QString m_dir;
};

} // namespace vm
