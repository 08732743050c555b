#pragma once

#include <QList>
#include <QString>

namespace vm {

// One beacon of "BeaconFreq.txt".
struct Beacon {
    QString satellite;
    QString label;
    QString frequencyKHz;
};

// The optional beacon list "BeaconFreq.txt": one beacon per line as
// "satellite,label,frequency in kHz"; lines starting with "'" are comments,
// lines that are not exactly three items or whose frequency is not a number
// are skipped.
class BeaconFile {
public:
    static QString fileName() { return QStringLiteral("BeaconFreq.txt"); }

    // The beacons of the file; empty when it is missing or unreadable.
    static QList<Beacon> read(const QString &path);

    // The beacons whose satellite name equals `satellite`, in file order.
    static QList<Beacon> forSatellite(const QList<Beacon> &beacons, const QString &satellite);
};

} // namespace vm
