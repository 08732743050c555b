#include "panel/CwMessage.h"
#include "common/NameList.h"

namespace vm::cw {

KeyingFamily keyingFamily(int route, const QString &rig1Model, const QString &rig2Model)
{
    if (route == 0) {
        if (rig1Model == u"TS2000")
            return KeyingFamily::KenwoodText;
        if (oneOf(rig1Model, {"IC9100", "IC9700"}))
            return KeyingFamily::IcomHex;
    } else if (route == 2 || route == 3) {
        if (oneOf(rig2Model, {"TS2000", "TS590", "TS990"}))
            return KeyingFamily::KenwoodText;
        if (rig2Model == u"FT991")
            return KeyingFamily::YaesuMemory;
        if (oneOf(rig2Model, {"IC9100", "IC9700", "IC7100"}))
            return KeyingFamily::IcomHex;
    }
    return KeyingFamily::None;
}

int editorLimit(KeyingFamily family)
{
    switch (family) {
    case KeyingFamily::KenwoodText:
    case KeyingFamily::YaesuMemory:
        return KenwoodLimit;
    case KeyingFamily::IcomHex:
        return IcomLimit;
    case KeyingFamily::None:
        break;
    }
    return 0;
}

QString greeting(int hour)
{
    if (hour >= 4 && hour <= 11)
        return QStringLiteral("GM");
    if (hour >= 12 && hour <= 16)
        return QStringLiteral("GA");
    return QStringLiteral("GE");
}

QString expandMacros(const QString &message, int hour, const QString &call)
{
    QString text = message;
    text.replace(QStringLiteral("#G"), greeting(hour));
    text.replace(QStringLiteral("#C"), call.isEmpty() ? QStringLiteral("R") : call);
    return text;
}

QString keyingPayload(KeyingFamily family, int slot, const QString &expanded)
{
    switch (family) {
    case KeyingFamily::KenwoodText:
        // The rig takes a fixed 24-character field; a longer text is not sent.
        if (expanded.size() > KenwoodLimit)
            return {};
        return QStringLiteral("KY ") + expanded.leftJustified(KenwoodLimit, QLatin1Char(' ')) +
               QStringLiteral(";L=") + QString::number(expanded.size());
    case KeyingFamily::YaesuMemory:
        return QStringLiteral("KM%1%2};L=%3").arg(slot).arg(expanded).arg(expanded.size() + 1);
    case KeyingFamily::IcomHex: {
        const QString taken = expanded.left(IcomLimit);
        QString hex;
        for (QChar c : taken) {
            // The editor keeps to ASCII; anything else cannot be keyed.
            if (c.unicode() > 0x7F)
                return {};
            hex += QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        }
        return hex + QStringLiteral(";L=") + QString::number(taken.size());
    }
    case KeyingFamily::None:
        break;
    }
    return {};
}

QString memoryPayload(KeyingFamily family, int slot, const QString &message)
{
    if (family != KeyingFamily::YaesuMemory)
        return {};
    return QStringLiteral("B4KM%1%2};L=%3").arg(slot).arg(message).arg(message.size() + 1);
}

QChar editorChar(QChar typed)
{
    const QChar c = typed.toUpper();
    const char16_t u = c.unicode();
    if ((u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9'))
        return c;
    static const QString punctuation = QStringLiteral(" \"#'()*+,-./:=?^@");
    return punctuation.contains(c) ? c : QChar();
}

QString editorText(const QString &typed, int limit)
{
    QString out;
    for (QChar c : typed) {
        const QChar kept = editorChar(c);
        if (!kept.isNull())
            out += kept;
    }
    return limit > 0 ? out.left(limit) : out;
}

ButtonLook buttonLook(int slot, const QString &message)
{
    if (message.isEmpty())
        return {QStringLiteral("CM%1").arg(slot), 0xFF0000, true};
    return {QString(message).replace(QLatin1Char(' '), QLatin1Char('_')), 0xFF, false};
}

} // namespace vm::cw
