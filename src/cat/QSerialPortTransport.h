#pragma once

#include "cat/SerialTransport.h"

#include <QSerialPort>

namespace vm {

// The real rig port on QSerialPort: 8 data bits, no parity, no flow control,
// DTR off, RTS on. The port name is a device path (/dev/ttyUSB0, a pty).
class QSerialPortTransport final : public SerialTransport {
public:
    QSerialPortTransport();
    ~QSerialPortTransport() override;

    bool open(const SerialSettings &settings) override;
    PortProblem openProblem() const override { return m_openProblem; }
    void close() override;
    bool isOpen() const override;
    void purge(bool output, bool input) override;
    qint64 write(const QByteArray &bytes) override;
    qint64 waitForBytes(qint64 count, int timeoutMs) override;
    QByteArray read(qint64 count, int timeoutMs) override;

    // Why the last open failed (PermissionError covers busy and access denied).
    QSerialPort::SerialPortError lastOpenError() const { return m_lastOpenError; }

private:
    QSerialPort m_port;
    QSerialPort::SerialPortError m_lastOpenError = QSerialPort::NoError;
    PortProblem m_openProblem;
};

} // namespace vm
