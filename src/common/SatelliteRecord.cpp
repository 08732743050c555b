#include "common/SatelliteRecord.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

namespace vm {

namespace {

double number(const QString &text)
{
    return text.trimmed().toDouble();
}

// Kilohertz as the shortest decimal text ("432150", "145900.5").
QString kHzText(double v)
{
    return QString::number(v, 'f', QLocale::FloatingPointShortest);
}

QString item(const QString &text)
{
    if (text.contains(u',') || text.contains(u'"') || text != text.trimmed()) {
        QString quoted = text;
        quoted.replace(u'"', u'\'');
        return u'"' + quoted + u'"';
    }
    return text;
}

} // namespace

void SatelliteRecord::derive()
{
    if (!isUsable())
        return;
    const double u = number(UpLink);
    const double d = number(DownLink);
    const double w = Width.trimmed().isEmpty() ? 100.0 : number(Width);
    const bool nonInverting = isNonInverting();

    HasTone = Tone.isEmpty() ? 0 : 1;
    if (nonInverting) {
        NonRev = u - d > 0 ? QStringLiteral("TXH") : QStringLiteral("RXH");
        TransposeHz = std::abs(u - d) * 1000.0;
    } else {
        NonRev.clear();
        TransposeHz = (HasTone ? u + d : u + d + w) * 1000.0;
    }
    if (HasTone) {
        CenterText = kHzText(u);
    } else {
        // The middle of the uplink passband: width rounded, halved, fraction dropped.
        const long long halfWidth = std::llround(w) / 2;
        CenterText = kHzText(u + double(halfWidth));
    }
}

QString SatelliteRecord::toLine() const
{
    const QString nonRev = isNonInverting() ? QStringLiteral("Y") : NonRev;
    const QStringList items{Name, UpLink, DownLink, Width, Beacon, Tone, TXTRV, RXTRV, nonRev, MLTmode};
    QStringList out;
    out.reserve(items.size());
    for (const QString &i : items)
        out.append(item(i));
    return out.join(u',');
}

} // namespace vm
