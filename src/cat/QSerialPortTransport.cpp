#include "cat/QSerialPortTransport.h"

#include <QDeadlineTimer>

namespace vm {

namespace {
constexpr int WriteTimeoutMs = 200;
}

QSerialPortTransport::QSerialPortTransport() = default;

QSerialPortTransport::~QSerialPortTransport()
{
    close();
}

bool QSerialPortTransport::open(const SerialSettings &settings)
{
    close();
    m_port.setPortName(settings.portName);
    m_port.setBaudRate(settings.baudRate);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_lastOpenError = m_port.error();
        m_port.clearError();
        m_openProblem = PortProblem::diagnose(settings.portName);
        return false;
    }
    m_lastOpenError = QSerialPort::NoError;
    m_openProblem = {};
    // Modem lines: DTR off, RTS on (interfaces that key the rig on DTR stay
    // in receive). A pty has no modem lines; that is not an error.
    m_port.setDataTerminalReady(false);
    m_port.setRequestToSend(true);
    m_port.clearError();
    return true;
}

void QSerialPortTransport::close()
{
    if (m_port.isOpen())
        m_port.close();
}

bool QSerialPortTransport::isOpen() const
{
    return m_port.isOpen();
}

void QSerialPortTransport::purge(bool output, bool input)
{
    if (!m_port.isOpen())
        return;
    QSerialPort::Directions dirs;
    if (output)
        dirs |= QSerialPort::Output;
    if (input)
        dirs |= QSerialPort::Input;
    if (dirs)
        m_port.clear(dirs);
}

qint64 QSerialPortTransport::write(const QByteArray &bytes)
{
    if (!m_port.isOpen())
        return -1;
    const qint64 n = m_port.write(bytes);
    if (n < 0)
        return -1;
    QDeadlineTimer deadline(WriteTimeoutMs);
    while (m_port.bytesToWrite() > 0 && !deadline.hasExpired()) {
        if (!m_port.waitForBytesWritten(int(deadline.remainingTime())))
            break;
    }
    return n - m_port.bytesToWrite();
}

qint64 QSerialPortTransport::waitForBytes(qint64 count, int timeoutMs)
{
    if (!m_port.isOpen())
        return 0;
    QDeadlineTimer deadline(qMax(0, timeoutMs));
    while (count < 0 || m_port.bytesAvailable() < count) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            break;
        if (!m_port.waitForReadyRead(int(left))) {
            // A time-out ends the wait; so does a dead line (no spinning on it).
            const QSerialPort::SerialPortError error = m_port.error();
            if (error == QSerialPort::TimeoutError)
                m_port.clearError();
            break;
        }
    }
    return m_port.bytesAvailable();
}

QByteArray QSerialPortTransport::read(qint64 count, int timeoutMs)
{
    if (!m_port.isOpen() || count <= 0)
        return {};
    waitForBytes(count, timeoutMs);
    return m_port.read(count);
}

} // namespace vm
