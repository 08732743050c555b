#include "logbook/WsjtxMessage.h"

#include "logbook/Adif.h"

#include <QDataStream>
#include <QDateTime>
#include <QIODevice>

#include <limits>

namespace vm::wsjtx {

namespace {

class Writer {
public:
    explicit Writer(Type type, const QString &id = clientId()) : m_stream(&m_bytes, QIODevice::WriteOnly)
    {
        m_stream.setVersion(QDataStream::Qt_5_4);
        m_stream.setByteOrder(QDataStream::BigEndian);
        m_stream << Magic << Schema << quint32(type);
        text(id);
    }
    Writer &text(const QString &s)
    {
        // An empty text goes as length 0, never as the null marker, so that
        // loggers read an empty field rather than a missing one.
        const QByteArray bytes = s.toUtf8();
        m_stream << (bytes.isNull() ? QByteArray("") : bytes);
        return *this;
    }
    Writer &u32(quint32 v) { return m_stream << v, *this; }
    Writer &u64(quint64 v) { return m_stream << v, *this; }
    Writer &u8(quint8 v) { return m_stream << v, *this; }
    Writer &flag(bool v) { return m_stream << v, *this; }
    Writer &time(const QDateTime &t) { return m_stream << t.toUTC(), *this; }
    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    QDataStream m_stream;
};

QString modeText(const Qso &q)
{
    const adif::ModePair m = adif::modeOf(q.mode, q.submode);
    return m.mode == u"MFSK" && !m.submode.isEmpty() ? m.submode : m.mode;
}

} // namespace

QByteArray heartbeat(const QString &version)
{
    return Writer(Type::Heartbeat).u32(Schema).text(version).text(QString()).bytes();
}

QByteArray status(const Qso &q)
{
    constexpr quint32 NotApplicable = std::numeric_limits<quint32>::max();
    Writer w(Type::Status);
    w.u64(quint64(qMax<qint64>(0, q.txHz)))
        .text(modeText(q))
        .text(q.call.trimmed().toUpper())
        .text(q.rstSent)
        .text(modeText(q))
        .flag(false) // Tx enabled
        .flag(false) // transmitting
        .flag(false) // decoding
        .u32(0)      // Rx DF
        .u32(0)      // Tx DF
        .text(q.myCall)
        .text(q.myGrid)
        .text(q.grid)
        .flag(false) // Tx watchdog
        .text(QString())
        .flag(false) // fast mode
        .u8(0)       // special operation: none
        .u32(NotApplicable)
        .u32(NotApplicable)
        .text(QString())  // configuration name
        .text(QString()); // Tx message
    return w.bytes();
}

QByteArray qsoLogged(const Qso &q, const QDateTime &timeOffUtc, const QString &id)
{
    Writer w(Type::QsoLogged, id);
    w.time(timeOffUtc)
        .text(q.call.trimmed().toUpper())
        .text(q.grid.trimmed())
        .u64(quint64(qMax<qint64>(0, q.txHz)))
        .text(modeText(q))
        .text(q.rstSent.trimmed())
        .text(q.rstRcvd.trimmed())
        .text(QString()) // Tx power
        .text(q.comment.trimmed())
        .text(QString()) // name
        .time(q.timeOn)
        .text(QString()) // operator call
        .text(q.myCall.trimmed().toUpper())
        .text(q.myGrid.trimmed())
        .text(QString()) // exchange sent
        .text(QString()) // exchange received
        .text(q.satName.isEmpty() ? QString() : QStringLiteral("SAT"));
    return w.bytes();
}

QByteArray loggedAdif(const Qso &q, const QDateTime &nowUtc)
{
    const QByteArray adifText = adif::header(nowUtc) + adif::record(q);
    return Writer(Type::LoggedAdif).text(QString::fromUtf8(adifText)).bytes();
}

} // namespace vm::wsjtx
