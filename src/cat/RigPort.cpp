#include "cat/RigPort.h"

#include "cat/RigModel.h"

namespace vm {

RigPort::RigPort(int rigNumber, SerialTransport &transport, CatContext &context, const CatHooks &hooks)
    : m_rigNumber(rigNumber), m_transport(transport), m_context(context), m_hooks(hooks)
{
}

int RigPort::baseReplyWaitFor(const QString &baudRate)
{
    const int baud = baudRate.trimmed().toInt();
    switch (baud) {
    case 1200:
        return 200;
    case 4800:
        return 60;
    case 19200:
    case 38400:
    case 57600:
    case 115200:
        return 40;
    default:
        return 50;
    }
}

void RigPort::configure(const QString &portName, const QString &baudRate, const QString &rigModel)
{
    const QString name = portName.trimmed();
    m_portName = (name.isEmpty() || name == QLatin1String("0")) ? QStringLiteral("None") : name;
    m_baudRate = baudRate.trimmed().isEmpty() ? QStringLiteral("9600") : baudRate.trimmed();
    m_rigModel = rigModel;
    // A model the table does not know keeps the stop bits it had.
    if (const RigModelInfo *model = RigModels::find(rigModel)) {
        m_stopBits = model->stopBits;
        m_waitFactor = model->replyWaitFactor;
    } else {
        m_waitFactor = 1;
    }
    m_baseReplyWait = baseReplyWaitFor(m_baudRate);
    m_replyWait = modelWait();
    m_adaptiveWait = modelWait();
    m_missCounter = 0;
    m_lastMissCounter = 0;
}

int RigPort::modelWait() const
{
    if (m_waitOverride)
        return *m_waitOverride;
    return m_baseReplyWait * m_waitFactor;
}

bool RigPort::openPort()
{
    if (m_portName == QLatin1String("None"))
        return false;
    SerialSettings settings;
    settings.portName = m_portName;
    settings.baudRate = m_baudRate.toInt();
    settings.stopBits = m_stopBits == 1 ? 1 : 2;
    if (settings.baudRate <= 0)
        settings.baudRate = 9600;
    if (!m_transport.open(settings)) {
        m_openProblem = m_transport.openProblem();
        m_transport.close();
        m_open = false;
        return false;
    }
    if (m_rigNumber == 1) {
        m_transport.purge(true, true);
    } else {
        // The second rig's port is purged one action at a time, then all.
        m_transport.purge(true, false);
        m_transport.purge(false, true);
        m_transport.purge(true, true);
    }
    m_openProblem = {};
    m_open = true;
    m_pendingReplies = 0;
    m_missCounter = 0;
    m_lastMissCounter = 0;
    m_failed = false;
    return true;
}

void RigPort::closePort()
{
    if (m_transport.isOpen()) {
        m_transport.purge(true, true);
        m_transport.close();
    }
    m_open = false;
}

void RigPort::sendBinary(const QByteArray &frame, int expectedReplyLength, int unreadReplyLength)
{
    write(frame, expectedReplyLength, unreadReplyLength);
}

void RigPort::sendText(const QString &command, int expectedReplyLength)
{
    write(command.toLatin1(), expectedReplyLength);
}

void RigPort::write(const QByteArray &bytes, int expectedReplyLength, int unreadReplyLength)
{
    if (!m_open)
        return;
    // Whatever arrived unsolicited since the last command goes here. Output
    // is not purged: anything still going out is our own previous command,
    // which must reach the rig.
    m_transport.purge(false, true);
    m_bytesWritten = m_transport.write(bytes);
    m_expectedReplyLength = qMax(0, expectedReplyLength);
    if (m_expectedReplyLength > 0)
        ++m_pendingReplies;
    waitForReply(m_expectedReplyLength > 0 ? 0 : unreadReplyLength);
}

void RigPort::waitForReply(int unreadReplyLength)
{
    if (!m_open || m_context.shuttingDown)
        return;
    if (m_pendingReplies > MaxPendingReplies) {
        giveUp();
        return;
    }
    const int awaited = m_expectedReplyLength > 0 ? m_expectedReplyLength : unreadReplyLength;
    const bool untilReply = m_waitMode == WaitMode::UntilReply && awaited > 0;
    m_transport.waitForBytes(untilReply ? awaited : -1, m_replyWait);
}

void RigPort::giveUp()
{
    m_failed = true;
    m_open = false;
    if (m_giveUpHandler)
        m_giveUpHandler();
    else
        closePort();
    m_hooks.send(QStringLiteral("OPPCER"), m_portName);
    m_pendingReplies = 0;
    if (m_hooks.startLinkTimer)
        m_hooks.startLinkTimer();
}

RigPort::Reply RigPort::readReply()
{
    Reply reply;
    if (m_expectedReplyLength == 0 || !m_open)
        return reply;
    reply.bytes = m_transport.read(m_expectedReplyLength, IoTimeoutMs);
    m_bytesRead = reply.bytes.size();
    reply.complete = reply.bytes.size() == m_expectedReplyLength;
    return reply;
}

QByteArray RigPort::readMore(int count)
{
    if (count <= 0 || !m_open)
        return {};
    const QByteArray more = m_transport.read(count, IoTimeoutMs);
    m_bytesRead += more.size();
    return more;
}

void RigPort::settle()
{
    if (m_open && !m_context.shuttingDown)
        m_transport.waitForBytes(-1, m_replyWait);
}

void RigPort::countMiss()
{
    ++m_missCounter;
    adjustReplyWait();
}

void RigPort::adjustReplyWait()
{
    if (m_missCounter != m_lastMissCounter && m_adaptiveWait < MaxAdaptiveWaitMs) {
        ++m_adaptiveWait;
        m_replyWait = m_adaptiveWait;
    }
    m_lastMissCounter = m_missCounter;
}

void RigPort::newSatelliteWaits()
{
    m_replyWait = m_adaptiveWait;
    m_adaptiveWait = modelWait();
    m_missCounter = 0;
    m_lastMissCounter = 0;
}

void RigPort::restoreNormalWaits()
{
    m_replyWait = modelWait();
    m_adaptiveWait = modelWait();
    m_missCounter = 0;
    m_lastMissCounter = 0;
}

} // namespace vm
