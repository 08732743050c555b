#pragma once

#include <QList>
#include <QString>

namespace vm::faketracker {

// Timed tracking values read from a file, one line per change:
//   seconds-from-start satellite elevation rangerate revolution
// The satellite may be written in double quotes when it holds blanks
// ("OSCAR 7"); the revolution may be left out (then "0"). Blank lines and
// lines starting with '#' are ignored.
class TrackerScript {
public:
    struct Entry {
        double seconds = 0;
        QString satellite;
        QString elevation;
        QString rangeRate;
        QString revolution;
    };

    // False, with "file:line: reason", when a line cannot be used.
    bool load(const QString &path, QString *error);
    bool parse(const QString &text, const QString &origin, QString *error);

    // The entry in force `seconds` after the start: the last one whose time
    // has come, the first one before that.
    const Entry &at(double seconds) const;
    bool isEmpty() const { return m_entries.isEmpty(); }
    const QList<Entry> &entries() const { return m_entries; }

private:
    QList<Entry> m_entries; // by time
};

} // namespace vm::faketracker
