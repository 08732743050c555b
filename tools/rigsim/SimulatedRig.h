#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace vm::sim {

// A simulated transceiver as its serial line sees it: bytes go in one at a
// time, answers come out. The line (SerialLine) adds the wire timing.
class SimulatedRig {
public:
    virtual ~SimulatedRig() = default;

    // One byte from the controller. Returns what the rig sends in answer once
    // the byte completes a command (often nothing); the bus echo is not part of it.
    virtual QByteArray receiveByte(quint8 byte) = 0;

    // True while every byte the controller sends comes back on the line (the
    // CI-V bus echo); false for rigs without one or a line gone dead.
    virtual bool echoes() const = 0;
};

} // namespace vm::sim
