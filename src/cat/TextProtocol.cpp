#include "cat/TextProtocol.h"

namespace vm::textcat {

std::optional<QString> frequencyField(qint64 hz, int digits)
{
    if (hz < 0 || digits <= 0)
        return std::nullopt;
    const QString text = QString::number(hz);
    if (text.size() > digits)
        return std::nullopt;
    return text.rightJustified(digits, QLatin1Char('0'));
}

std::optional<QString> accept(const QByteArray &bytes, int expectedLength, const QStringList &names)
{
    if (bytes.size() != expectedLength)
        return std::nullopt;
    const QString text = QString::fromLatin1(bytes);
    for (const QString &name : names) {
        if (text.startsWith(name))
            return text;
    }
    return std::nullopt;
}

std::optional<qint64> number(const QString &answer, int start, int count)
{
    if (start < 0 || count <= 0 || start + count > answer.size())
        return std::nullopt;
    qint64 value = 0;
    for (int i = start; i < start + count; ++i) {
        const QChar c = answer.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

std::optional<QString> modeName(QChar digit, bool kenwoodModes)
{
    switch (digit.toLatin1()) {
    case '1':
        return QStringLiteral("LSB");
    case '2':
        return QStringLiteral("USB");
    case '3':
        return QStringLiteral("CW");
    case '4':
        return QStringLiteral("FM");
    case '7':
        return kenwoodModes ? QStringLiteral("CWR") : QStringLiteral("CW");
    default:
        break;
    }
    if (!kenwoodModes)
        return std::nullopt;
    switch (digit.toLatin1()) {
    case '5':
        return QStringLiteral("AM");
    case '6':
        return QStringLiteral("FSK");
    case '9':
        return QStringLiteral("FSR");
    default:
        return QStringLiteral("OTR");
    }
}

QString modeDigit(const QString &code)
{
    static const char *const digits[] = {"1", "2", "", "3", "", "4"};
    if (code.isEmpty() || code.at(0) < QLatin1Char('0') || code.at(0) > QLatin1Char('5'))
        return {};
    return QString::fromLatin1(digits[code.at(0).unicode() - '0']);
}

QString toneCode(const QString &toneHz)
{
    const QString t = toneHz.trimmed();
    if (t == QLatin1String("67") || t == QLatin1String("67.0"))
        return QStringLiteral("01");
    if (t == QLatin1String("210.7"))
        return QStringLiteral("33");
    if (t == QLatin1String("233.6"))
        return QStringLiteral("36");
    return QStringLiteral("08");
}

QString keyerSpeedCommand(const QString &wpm)
{
    bool ok = false;
    const int speed = wpm.trimmed().toInt(&ok);
    if (!ok || speed < 0 || speed > 999)
        return {};
    return QStringLiteral("KS%1;").arg(speed, 3, 10, QLatin1Char('0'));
}

QString cwCommand(const QString &text, bool yaesuKeyer)
{
    // The controller's command splits the panel's text at its first ";";
    // the rig needs it back to take the command.
    const auto ended = [](QString command) {
        if (!command.isEmpty() && !command.endsWith(QLatin1Char(';')))
            command += QLatin1Char(';');
        return command;
    };
    if (!yaesuKeyer)
        return ended(text);
    if (text.startsWith(QLatin1String("B4")))
        return ended(QString(text).remove(QStringLiteral("B4")));
    if (text.size() < 3 || !text.at(2).isDigit())
        return {};
    return QStringLiteral("KY%1;").arg(text.at(2).digitValue() + 5);
}

QString keyerMemoryCommand(int n, const QString &text)
{
    if (text.isEmpty() || text.size() >= 50)
        return {};
    return QStringLiteral("KM%1%2};").arg(n).arg(text);
}

} // namespace vm::textcat
