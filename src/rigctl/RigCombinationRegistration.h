#pragma once

#include "rigctl/ControllerSettings.h"
#include "rigctl/RigCombinationTable.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vm {

class SatelliteTable;

// What registering a rig combination decides, free of widgets: the list of
// satellites to choose from, the records a registration writes and the
// summary of what is registered.
namespace rigCombination {

// The explanation shown before the first registration.
QString explanation();

// "name mode" of every usable satellite of the table, in table order.
QStringList satelliteLabels(const SatelliteTable &table);

// One record per chosen satellite, all with the same set-up (stop bits and
// text flag from the models); a single "None" record when none is chosen.
QList<RigCombination> records(const QStringList &chosenLabels, const RigArrangement &setUp);

// The set-up a record holds (the inverse of records()).
RigArrangement setUpOf(const RigCombination &record);

// The three summary lines (rig 1, rig 2, poll interval) of a table; each
// "未登録" when nothing is registered.
QStringList summary(const QList<RigCombination> &registered);

} // namespace rigCombination
} // namespace vm
