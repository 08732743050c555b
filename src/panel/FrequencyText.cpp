#include "panel/FrequencyText.h"

#include <cmath>

namespace vm {

QString FrequencyText::display(double hz)
{
    const QString digits = QString::number(static_cast<qint64>(std::llround(hz)));
    static const QString pattern = QStringLiteral("@@@@.@@@.@@@");
    QString out = pattern;
    int d = int(digits.size()) - 1;
    for (int i = int(out.size()) - 1; i >= 0; --i) {
        if (out.at(i) != u'@')
            continue;
        out[i] = d >= 0 ? digits.at(d--) : QChar(u' ');
    }
    if (d >= 0)
        out.prepend(digits.left(d + 1));
    return out;
}

QString FrequencyText::decimal(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 9.0e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15);
}

QString FrequencyText::oneDecimal(double value)
{
    QString text = QString::number(value, 'f', 1);
    if (text == u"-0.0")
        text = QStringLiteral("0.0");
    return text;
}

QString FrequencyText::mhz3(double mhz)
{
    return QString::number(mhz, 'f', 3);
}

bool FrequencyText::parse(const QString &text, double *value)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

QString FrequencyText::scaleLabel(qint64 khz, bool whole)
{
    const QString within = QStringLiteral("%1").arg(khz % 1000, 3, 10, QLatin1Char('0'));
    return whole ? QStringLiteral("%1.%2").arg(khz / 1000).arg(within) : within;
}

} // namespace vm
