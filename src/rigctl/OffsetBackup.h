#pragma once

#include "rigctl/ControllerSettings.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace vm {

// Backup and restore of the per-satellite offsets ([SATinfo] keys ending in
// "_offset") in a file named after the rig set-up, because the offsets depend
// on the rigs.
namespace offsetBackup {

// The set-up's label: the rig in use, or both models joined by "+"; empty
// when no rig is controlled.
QString rigLabel(const RigArrangement &rigs);
// "<label>_ALL_Offset.dat".
QString fileName(const QString &label);

// Writes every "_offset=" line of the settings file, as it stands, to the
// backup file in `dataDir` (atomically).
struct Result {
    bool ok = false;
    QString message; // for the operator: what was done, or why not
    QString path;    // the backup file
};
Result save(const QString &settingsPath, const QString &dataDir, const QString &label);

// Whether a chosen file is the backup of this set-up (its name, whatever
// the case).
bool isBackupOf(const QString &path, const QString &label);
// The entries of a backup: "key=value" lines whose key ends in "_offset"
// and whose value is a whole number; every other line is skipped.
QList<QPair<QString, QString>> entries(const QStringList &lines);

} // namespace offsetBackup
} // namespace vm
