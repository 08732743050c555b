#pragma once

#include "orbit/PassPredictor.h"

#include <QCoreApplication>
#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

namespace vm {

class SatelliteTable;

// The day's passes for the schedule window, predicted by our own orbit code
// for the table's satellites over the station: every pass whose AOS falls on
// the given local day, in AOS order.
class SchedulePasses {
    Q_DECLARE_TR_FUNCTIONS(SchedulePasses)
public:
    struct Row {
        QString satellite; // the table's name
        orbit::Pass pass;
        long long revolution = -1; // at AOS
        int aosPhase = 0;          // mean anomaly at AOS and LOS, 0-255
        int losPhase = 0;
    };

    // How rows are picked for the schedule: all of them, or those whose
    // maximum elevation is above a threshold; with afterNow only passes whose
    // AOS minute is later than the present minute.
    struct Choice {
        bool byThreshold = false;
        double thresholdDeg = 0;
        bool afterNow = false;
    };

    static std::vector<Row> forDay(const SatelliteTable &table, const QString &tleText,
                                   const orbit::Observer &station, const QDate &day);
    // The passes of one satellite as the tracking program's prediction window
    // lists them: a line per pass of the eleven columns below, separated by
    // spaces; the date as "yyyy/MM/dd", "yy/MM/dd" or "MM/dd" (of `today`'s
    // year), times as "hh:mm" or "hh:mm:ss" local time. Other lines (headers)
    // are passed over.
    static std::vector<Row> fromTrackerText(const QString &text, const QString &satellite, const QDate &today);
    static bool chosen(const Row &row, const Choice &choice, qint64 nowUtcMs);

    // The eleven columns: date, AOS time, AOS azimuth, AOS MA, MEL time, MEL
    // elevation, MEL azimuth, LOS time, LOS azimuth, LOS MA, minutes.
    static QStringList fields(const Row &row);
    // The schedule line of a row, "hh:mm/satellite" (local time).
    static QString scheduleLine(const Row &row);
    // The schedule after transferring rows: each of their satellites' earlier
    // lines is replaced by the rows' lines, so a second transfer does not
    // double them.
    static QStringList transfer(const QStringList &lines, const std::vector<Row> &rows);
    // The window's column captions and header line.
    static QStringList captions();
    static QString header();
};

} // namespace vm
