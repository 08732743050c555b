#include "logbook/WsjtxLogRecord.h"

#include <QStringList>

namespace vm::wsjtxlog {

namespace {

QDateTime shown(const Contact &c)
{
    return c.domestic ? c.timeOnUtc.addSecs(9 * 3600) : c.timeOnUtc;
}

} // namespace

QString Contact::dateText() const
{
    return timeOnUtc.isValid() ? shown(*this).toString(QStringLiteral("yy/MM/dd")) : QString();
}

QString Contact::timeText() const
{
    if (!timeOnUtc.isValid())
        return {};
    return shown(*this).toString(QStringLiteral("HH:mm")) + (domestic ? QLatin1Char('J') : QLatin1Char('U'));
}

bool isDomestic(const QString &call)
{
    static const QStringList prefixes =
        QStringLiteral("JA,JD,JE,JF,JG,JH,JI,JJ,JK,JL,JM,JN,JO,JP,JQ,JR,JS,7J,7K,7L,7M,7N,8J,8K,8L,8M,8N")
            .split(QLatin1Char(','));
    return prefixes.contains(call.left(2).toUpper());
}

Contact parseLine(const QString &line)
{
    Contact c;
    QString mode, submode, date, time;
    for (const QString &piece : line.split(QLatin1Char('<'))) {
        const qsizetype colon = piece.indexOf(QLatin1Char(':'));
        const qsizetype close = piece.indexOf(QLatin1Char('>'));
        if (colon < 0 || close < 0)
            continue;
        const QString name = piece.left(colon).toUpper();
        const QString value = piece.mid(close + 1).trimmed();
        if (name == u"CALL")
            c.call = value;
        else if (name == u"GRIDSQUARE")
            c.grid = value;
        else if (name == u"MODE")
            mode = value;
        else if (name == u"SUBMODE")
            submode = value;
        else if (name == u"RST_SENT")
            c.rstSent = value;
        else if (name == u"RST_RCVD")
            c.rstRcvd = value;
        else if (name == u"QSO_DATE")
            date = value;
        else if (name == u"TIME_ON")
            time = value;
    }
    c.mode = mode == u"MFSK" && !submode.isEmpty() ? submode : mode;
    c.domestic = isDomestic(c.call);
    const QDate d = QDate::fromString(date.left(8), QStringLiteral("yyyyMMdd"));
    const QTime t =
        QTime::fromString(time.left(6).leftJustified(6, QLatin1Char('0')), QStringLiteral("HHmmss"));
    if (d.isValid() && t.isValid())
        c.timeOnUtc = QDateTime(d, t, Qt::UTC);
    return c;
}

std::optional<Contact> lastContact(const QString &logText)
{
    const QStringList lines = logText.split(QLatin1Char('\n'));
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        if (!it->trimmed().isEmpty())
            return parseLine(*it);
    }
    return std::nullopt;
}

Qso toQso(const Contact &c)
{
    Qso q;
    q.call = c.call;
    q.grid = c.grid;
    q.mode = c.mode;
    q.rstSent = c.rstSent;
    q.rstRcvd = c.rstRcvd;
    q.timeOn = c.timeOnUtc;
    return q;
}

} // namespace vm::wsjtxlog
