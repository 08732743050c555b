#include "logbook/Adif.h"

#include <QCoreApplication>

#include <array>

namespace vm::adif {

namespace {

struct Band {
    const char *name;
    qint64 lowHz;
    qint64 highHz;
    char satLetter; // 0: no satellite letter
};

// The ADIF band table from 160 m up to 1.25 cm; satellite band letters where
// amateur satellites have transponders.
constexpr std::array<Band, 20> Bands{{
    {"160m", 1'800'000, 2'000'000, 0},
    {"80m", 3'500'000, 4'000'000, 0},
    {"60m", 5'060'000, 5'450'000, 0},
    {"40m", 7'000'000, 7'300'000, 0},
    {"30m", 10'100'000, 10'150'000, 0},
    {"20m", 14'000'000, 14'350'000, 0},
    {"17m", 18'068'000, 18'168'000, 0},
    {"15m", 21'000'000, 21'450'000, 'H'},
    {"12m", 24'890'000, 24'990'000, 0},
    {"10m", 28'000'000, 29'700'000, 'A'},
    {"6m", 50'000'000, 54'000'000, 0},
    {"4m", 70'000'000, 71'000'000, 0},
    {"2m", 144'000'000, 148'000'000, 'V'},
    {"1.25m", 222'000'000, 225'000'000, 0},
    {"70cm", 420'000'000, 450'000'000, 'U'},
    {"23cm", 1'240'000'000, 1'300'000'000, 'L'},
    {"13cm", 2'300'000'000, 2'450'000'000, 'S'},
    {"6cm", 5'650'000'000, 5'925'000'000, 'C'},
    {"3cm", 10'000'000'000, 10'500'000'000, 'X'},
    {"1.25cm", 24'000'000'000, 24'250'000'000, 'K'},
}};

const Band *findBand(qint64 hz)
{
    for (const Band &b : Bands) {
        if (hz >= b.lowHz && hz <= b.highHz)
            return &b;
    }
    return nullptr;
}

QString mhz(qint64 hz)
{
    // Six decimals: the hertz exactly.
    return QString::number(double(hz) / 1e6, 'f', 6);
}

} // namespace

QByteArray field(const char *name, const QString &value)
{
    if (value.isEmpty())
        return {};
    const QByteArray bytes = value.toUtf8();
    return '<' + QByteArray(name) + ':' + QByteArray::number(bytes.size()) + '>' + bytes + ' ';
}

QString bandOf(qint64 hz)
{
    const Band *b = findBand(hz);
    return b ? QString::fromLatin1(b->name) : QString();
}

QChar satelliteBandLetter(qint64 hz)
{
    const Band *b = findBand(hz);
    return b && b->satLetter ? QChar::fromLatin1(b->satLetter) : QChar();
}

QString satelliteMode(qint64 txHz, qint64 rxHz)
{
    const QChar up = satelliteBandLetter(txHz);
    const QChar down = satelliteBandLetter(rxHz);
    if (up.isNull() || down.isNull())
        return {};
    return QString(up) + down;
}

ModePair modeOf(const QString &rigMode, const QString &submode)
{
    const QString m = rigMode.trimmed().toUpper();
    if (m == u"LSB" || m == u"USB")
        return {QStringLiteral("SSB"), m};
    if (m == u"FT4" && submode.isEmpty())
        return {QStringLiteral("MFSK"), m};
    return {m, submode.trimmed().toUpper()};
}

QByteArray header(const QDateTime &createdUtc)
{
    const QString version = QCoreApplication::applicationVersion().isEmpty()
                                ? QStringLiteral("0.1")
                                : QCoreApplication::applicationVersion();
    QByteArray h = "Velomira contact log\n";
    h += field("ADIF_VER", QStringLiteral("3.1.0"));
    h += field("PROGRAMID", QStringLiteral("Velomira"));
    h += field("PROGRAMVERSION", version);
    h += field("CREATED_TIMESTAMP", createdUtc.toUTC().toString(QStringLiteral("yyyyMMdd HHmmss")));
    h += "<EOH>\n";
    return h;
}

QByteArray record(const Qso &q)
{
    const QDateTime on = q.timeOn.toUTC();
    const ModePair mode = modeOf(q.mode, q.submode);
    QByteArray r;
    r += field("CALL", q.call.trimmed().toUpper());
    r += field("QSO_DATE", on.toString(QStringLiteral("yyyyMMdd")));
    r += field("TIME_ON", on.toString(QStringLiteral("HHmmss")));
    if (q.txHz > 0) {
        r += field("BAND", bandOf(q.txHz));
        r += field("FREQ", mhz(q.txHz));
    }
    if (q.rxHz > 0) {
        r += field("BAND_RX", bandOf(q.rxHz));
        r += field("FREQ_RX", mhz(q.rxHz));
    }
    r += field("MODE", mode.mode);
    r += field("SUBMODE", mode.submode);
    r += field("RST_SENT", q.rstSent.trimmed());
    r += field("RST_RCVD", q.rstRcvd.trimmed());
    r += field("GRIDSQUARE", q.grid.trimmed());
    // Japanese loggers keep the QTH code (JCC/JCG) in an application field.
    r += field("APP_VELOMIRA_QTHCODE", q.qthCode.trimmed());
    if (!q.satName.isEmpty()) {
        r += field("PROP_MODE", QStringLiteral("SAT"));
        r += field("SAT_NAME", q.satName);
        r += field("SAT_MODE", satelliteMode(q.txHz, q.rxHz));
    }
    r += field("COMMENT", q.comment.trimmed());
    r += field("STATION_CALLSIGN", q.myCall.trimmed().toUpper());
    r += field("MY_GRIDSQUARE", q.myGrid.trimmed());
    r += "<EOR>\n";
    return r;
}

} // namespace vm::adif
