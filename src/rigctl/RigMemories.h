#pragma once

#include "cat/MemoryWriter.h"

#include <QString>
#include <functional>

namespace vm {

class Controller;
class SerialTransport;

// The satellite memories of rig 1 filled from the satellite table, or
// erased, over a connection of the writer's own: the controller's connection
// to rig 1 is closed meanwhile and opened again afterwards.
namespace rigMemories {

enum class Operation { Write, WriteWithBeacons, Erase };

struct Outcome {
    MemoryWriter::Result result;
    QString message; // the text shown when the run is over
};

// `progress` gets the caption of each channel as it is written or erased.
// The table is read from the data folder's satellite table file.
Outcome run(Controller &controller, SerialTransport &transport, Operation operation,
            const std::function<void(const QString &caption)> &progress);

// The closing message of a run.
QString message(Operation operation, const MemoryWriter::Result &result);

} // namespace rigMemories
} // namespace vm
