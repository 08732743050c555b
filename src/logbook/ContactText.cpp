#include "logbook/ContactText.h"

#include <QCoreApplication>
#include <QStringList>

#include <utility>

namespace vm::contact {

namespace {

struct Range {
    char area;
    int low;
    int high;
};
constexpr Range AreaRanges[] = {{'1', 10, 17}, {'2', 18, 21}, {'3', 22, 27}, {'4', 31, 35}, {'5', 36, 39},
                                {'6', 40, 47}, {'7', 2, 7},   {'8', 1, 1},   {'9', 28, 30}, {'0', 8, 9}};

bool japanesePrefix(const QString &call)
{
    static const QStringList prefixes =
        QStringLiteral("JA,JD,JE,JF,JG,JH,JI,JJ,JK,JL,JM,JN,JO,JP,JQ,JR,JS,7K,7L,7M,7N,8J,8K,8L,8M,8N")
            .split(QLatin1Char(','));
    return prefixes.contains(call.left(2));
}

QString mhz3(double hz)
{
    return QString::number(hz / 1e6, 'f', 3);
}

} // namespace

std::optional<AreaMismatch> checkQthCode(const QString &callIn, const QString &codeIn)
{
    const QString call = callIn.trimmed().toUpper();
    const QString code = codeIn.trimmed();
    if (!japanesePrefix(call) || code.size() < 4)
        return std::nullopt;
    QChar area;
    if (call.contains(QLatin1Char('/')))
        area = call.back();
    else if (call.startsWith(QLatin1Char('7')))
        area = QLatin1Char('1'); // 7K-7N are all first-area prefixes
    else
        area = call.size() >= 3 ? call.at(2) : QChar();
    bool ok = false;
    const int number = code.left(2).toInt(&ok);
    for (const Range &r : AreaRanges) {
        if (area == QLatin1Char(r.area)) {
            // A code that does not start with a number cannot match any area.
            if (ok && number >= r.low && number <= r.high)
                return std::nullopt;
            return AreaMismatch{area, ok ? number : -1};
        }
    }
    return std::nullopt;
}

QString mismatchQuestion(const AreaMismatch &m)
{
    return QCoreApplication::translate(
               "contact", "QTHcode =%1 と、局の（移動）エリア=%2 が一致しません\nこのまま転送しますか？")
        .arg(m.prefecture < 0 ? QStringLiteral("?") : QString::number(m.prefecture))
        .arg(m.area);
}

qint64 wholeMhz(double hz)
{
    return qint64(hz) / 1'000'000;
}

QString bandPair(double txHz, double rxHz)
{
    return QStringLiteral("%1/%2").arg(wholeMhz(txHz)).arg(wholeMhz(rxHz));
}

QString fillRemarks(const QString &templ, const QString &satName, const QString &revolution, double rxHz,
                    double txHz)
{
    QString text = templ;
    text.replace(QStringLiteral("#SN"), satName);
    text.replace(QStringLiteral("#RV"), revolution);
    text.replace(QStringLiteral("#RX"), mhz3(rxHz));
    text.replace(QStringLiteral("#TX"), mhz3(txHz));
    text.replace(QStringLiteral("#rx"), QString::number(wholeMhz(rxHz)));
    text.replace(QStringLiteral("#tx"), QString::number(wholeMhz(txHz)));
    return text;
}

QString satelliteTags(const QString &satName, double txHz, double rxHz)
{
    const QString pair = bandPair(txHz, rxHz);
    QString mode;
    if (pair == u"145/435")
        mode = QStringLiteral("VU");
    else if (pair == u"435/145")
        mode = QStringLiteral("UV");
    else if (pair == u"145/29")
        mode = QStringLiteral("A");
    const QString modeTag =
        mode.isEmpty() ? QString() : QStringLiteral("<SAT_MODE:%1>%2").arg(mode.size()).arg(mode);
    return QStringLiteral("<SAT_NAME:%1>%2 %3").arg(satName.toUtf8().size()).arg(satName, modeTag);
}

QString mmvariLoggedMode(const QString &mmvariMode)
{
    static const std::pair<const char *, const char *> table[] = {
        {"GMSK", "GMSK"},   {"FSK", "FSK"},      {"FSK-W", "FSK"},    {"BPSK", "PSK31"},
        {"bpsk", "PSK31"},  {"qpsk-L", "PSK31"}, {"qpsk-U", "PSK31"}, {"rtty-L", "RTTY"},
        {"rtty-U", "RTTY"}, {"mfsk-L", "MFSK"},  {"mfsk-U", "MFSK"}};
    const QString shown = mmvariMode.trimmed();
    for (const auto &[name, logged] : table) {
        if (shown == QLatin1String(name))
            return QString::fromLatin1(logged);
    }
    return {};
}

QString loggedMode(const QString &markMode, const QString &txMode)
{
    if (!markMode.isEmpty())
        return markMode;
    if (txMode == u"LSB" || txMode == u"USB")
        return QStringLiteral("SSB");
    return txMode;
}

} // namespace vm::contact
