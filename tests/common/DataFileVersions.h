#pragma once

// The versions of the settings file and the satellite table that the
// crash-safety test's writer puts on disk: version v's every value names v,
// so a file can be told apart as exactly one version or as a mix.

#include "common/ProfileFile.h"
#include "common/SatelliteTable.h"

#include <QList>
#include <QStringList>

namespace vm::test {

inline constexpr int VersionKeys = 24;
inline constexpr int VersionRows = 12;

inline QList<ProfileFile::Entry> settingsVersion(qint64 v)
{
    QList<ProfileFile::Entry> entries;
    for (int k = 0; k < VersionKeys; ++k)
        entries.append({k % 2 ? QStringLiteral("RIG_CON_CFG") : QStringLiteral("VLMRC"),
                        QStringLiteral("K%1").arg(k), QStringLiteral("%1-%2").arg(v).arg(k)});
    return entries;
}

inline QStringList tableVersion(qint64 v)
{
    QStringList lines{SatelliteTable::headerLine()};
    for (int r = 0; r < VersionRows; ++r)
        lines << QStringLiteral("SAT%1-%2,%3,435610,60,,,,,,").arg(v).arg(r).arg(145000 + r);
    return lines;
}

} // namespace vm::test
