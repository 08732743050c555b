#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
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

// Main and sub band of a twin-band rig; for a rig with one band in use Main
// is the VFO in use and Sub the other one.
enum class RigSide { Main, Sub };

// Faults a test can switch on to see how the controller copes.
enum class FailureMode {
    None,
    Silent,   // nothing comes back, not even the echo (cable pulled, rig dead)
    Short,    // every answer loses its last byte
    Garbage,  // every answer is replaced by as many bytes of noise
    RejectAll // every command is refused (NG, "?;") and not carried out
};

// A simulated rig as the rigsim console drives it: the front panel an
// operator sees and the fault switches a test pulls.
class ConsoleRig : public SimulatedRig {
public:
    virtual QString modelId() const = 0;
    // Model-specific "key=value" items of the status line.
    virtual QStringList statusDetails() const = 0;
    // "HZ MODE ..." of one dial.
    virtual QString dialText(RigSide side) const = 0;
    // The operator turns a dial / changes a mode (words: MODE [FILTER]).
    // False / an error text when the rig cannot do it.
    virtual bool turnDial(RigSide side, qint64 hz) = 0;
    virtual QString changeMode(RigSide side, const QStringList &words) = 0;
    virtual bool powered() const = 0;
    virtual void setPowered(bool on) = 0;
    // The line echo; false when the rig has none to switch.
    virtual bool setEcho(bool on) = 0;
    virtual bool echoSetting() const = 0;
    virtual QStringList logLines() const = 0;
    virtual void clearCommands() = 0;
    virtual QStringList cwSent() const = 0;
    // "DOWN UP NAME" of a memory channel, "empty" for an empty one; empty
    // text when the rig has no such memories.
    virtual QString memoryText(int /*channel*/) const { return {}; }
    virtual void setFailureMode(FailureMode mode) = 0;
    virtual FailureMode failureMode() const = 0;
};

} // namespace vm::sim
