#include "common/BeaconFile.h"

#include "common/TextFile.h"

#include <QStringList>

#include <cmath>

namespace vm {

QList<Beacon> BeaconFile::read(const QString &path)
{
    QList<Beacon> out;
    const std::optional<QStringList> lines = TextFile::readLines(path);
    if (!lines)
        return out;
    for (const QString &line : *lines) {
        if (line.startsWith(u'\''))
            continue;
        const QStringList items = line.split(u',');
        if (items.size() != 3)
            continue;
        Beacon b{items[0].trimmed(), items[1].trimmed(), items[2].trimmed()};
        bool ok = false;
        const double f = b.frequencyKHz.toDouble(&ok);
        if (b.satellite.isEmpty() || !ok || !std::isfinite(f))
            continue;
        out.append(b);
    }
    return out;
}

QList<Beacon> BeaconFile::forSatellite(const QList<Beacon> &beacons, const QString &satellite)
{
    QList<Beacon> out;
    for (const Beacon &b : beacons) {
        if (b.satellite == satellite)
            out.append(b);
    }
    return out;
}

} // namespace vm
