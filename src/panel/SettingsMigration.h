#pragma once

#include <QString>
#include <QStringList>

namespace vm {

class SatelliteTable;
class Settings;

// Tidying of the settings file at panel start: the one-time conversion of a
// file written by older versions, and the removal of per-satellite keys of
// satellites that are no longer in the table.
class SettingsMigration {
public:
    // Result of the one-time conversion.
    struct Outcome {
        bool ran = false;       // the conversion was due ([Velomira] IM not "7")
        bool rewritten = false; // the file was rewritten (and backed up first)
        QString error;          // empty when everything went well
    };

    // The lines of an older file as the current version lays them out, and
    // the number of lines that needed attention (0: nothing to change).
    static QStringList convert(const QStringList &lines, int *attention);

    // Runs the conversion once: when [Velomira] IM is not "7", converts the
    // file, copies the old one to "B4_Velomira.ini" beside it first when
    // anything changes, and writes IM=7. A file that cannot be read or
    // written is left as it was and IM stays unset, so the next start tries
    // again.
    static Outcome migrate(Settings &settings);

    // The lines without stale per-satellite keys: lines holding "_offset=",
    // "=RX", "=TX", "=SX" or "_RITfreq=" are kept only when some satellite
    // of the table owns them (its name and mode followed by that marker).
    static QStringList purge(const QStringList &lines, const SatelliteTable &table, int *removed);

    // Purges the settings file; rewrites it only when a line goes. False when
    // the file could not be read or written (it is then left as it was).
    static bool purgeFile(const QString &path, const SatelliteTable &table);
};

} // namespace vm
