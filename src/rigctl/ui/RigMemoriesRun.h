#pragma once

#include "rigctl/RigMemories.h"

class QWidget;

namespace vm {

class Controller;

// Writes or erases rig 1's satellite memories with a progress window owned
// by `parent`, then shows the closing message. For the satellite editor's
// memory buttons (write, write with beacons, erase).
void runRigMemories(QWidget *parent, Controller &controller, rigMemories::Operation operation);

} // namespace vm
