#pragma once

#include "cat/PortProblem.h"

#include <QByteArray>
#include <QString>

namespace vm {

// Line settings of one rig port: 8 data bits, no parity, DTR off, RTS on.
struct SerialSettings {
    QString portName;  // device path, e.g. /dev/ttyUSB0
    int baudRate = 9600;
    int stopBits = 1;  // 1 or 2, by rig model
};

// The byte pipe under a rig port. The real one sits on QSerialPort; tests and
// benchmarks use an in-process rig simulator or a scripted exchange.
//
// All calls block the caller's thread; there is no background reader.
class SerialTransport {
public:
    virtual ~SerialTransport() = default;

    // Opens and configures the port. False when it cannot be opened.
    virtual bool open(const SerialSettings &settings) = 0;
    // Why the last open failed, where the transport can tell.
    virtual PortProblem openProblem() const { return {}; }
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Throws away pending output and/or buffered input.
    virtual void purge(bool output, bool input) = 0;

    // Writes all bytes; returns the count written (-1 on error).
    virtual qint64 write(const QByteArray &bytes) = 0;

    // Blocks until at least `count` bytes are buffered for reading or
    // `timeoutMs` has passed, whichever comes first; returns the number of
    // bytes buffered. A negative count waits the whole time-out (fixed wait).
    virtual qint64 waitForBytes(qint64 count, int timeoutMs) = 0;

    // Reads up to `count` bytes, waiting at most `timeoutMs` for them.
    virtual QByteArray read(qint64 count, int timeoutMs) = 0;
};

} // namespace vm
