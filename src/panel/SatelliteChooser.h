#pragma once

#include "orbit/Observer.h"
#include "orbit/Tle.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace vm {

class SatelliteTable;
class Settings;

// What the built-in tracker's satellite chooser lists: the table's
// satellites that have an element set in the TLE file, each with its
// elevation now and its next rise.
class SatelliteChooser {
public:
    struct Entry {
        QString name; // as the table names it (sent with "RCMSAT")
        double elevationDeg = 0;
        bool up = false;      // above the horizon now
        qint64 nextAosMs = 0; // next rise within a day (UTC ms), 0 when none
        // The element set's epoch is over a year from now: listed, but neither
        // its position nor its passes are computed.
        bool staleEpoch = false;
    };

    // The station of [QTH]: latitude and longitude, else the locator's centre.
    static std::optional<orbit::Observer> station(const Settings &settings);

    // The TLE file of [TRACK] TLEFile: an absolute path, or a name in the data folder.
    static QString tleFile(const Settings &settings, const QString &dataDir);

    // True when a TLE name denotes the table's satellite: equal after dropping
    // case, blanks, "-" and "_", or equal to the name before or inside
    // parentheses ("AO-07 (OSCAR 7)").
    static bool sameSatellite(const QString &tableName, const QString &tleName);

    // The usable rows of the table that have an element set in `tleText`, in
    // table order, each satellite name once, with the first matching set.
    struct Tracked {
        QString name;
        orbit::Tle tle;
    };
    static QList<Tracked> tracked(const SatelliteTable &table, const QString &tleText);

    // The entries in table order, each satellite name once.
    static QList<Entry> entries(const SatelliteTable &table, const QString &tleText,
                                const orbit::Observer &station, qint64 nowUtcMs);

    // A message naming the entries whose element sets are stale, empty when none is.
    static QString staleMessage(const QList<Entry> &entries);
};

} // namespace vm
