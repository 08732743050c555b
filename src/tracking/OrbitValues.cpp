#include "tracking/OrbitValues.h"

#include "orbit/LookAngles.h"

namespace vm::orbitValues {

namespace {

// "-0.00" would read as a negative number to a person; the horizon test is unaffected.
QString fixed2(double v)
{
    QString t = QString::number(v, 'f', 2);
    if (t == u"-0.00")
        t = QStringLiteral("0.00");
    return t;
}

} // namespace

std::optional<TrackingValues> compute(const QString &name, const orbit::Satellite &satellite,
                                      const orbit::Observer &observer, int64_t unixMs)
{
    const orbit::LookAngles look = orbit::lookAngles(satellite, observer, unixMs);
    if (!look.ok())
        return std::nullopt;
    TrackingValues v;
    v.satellite = name;
    v.elevation = elevationText(look.elevationDeg);
    v.revolution = QString::number(look.revolution);
    v.rangeRate = float(look.rangeRateMs);
    return v;
}

QString elevationText(double degrees)
{
    return fixed2(degrees);
}

QString rangeRateText(double metresPerSecond)
{
    return fixed2(metresPerSecond);
}

} // namespace vm::orbitValues
