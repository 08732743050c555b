#include "tracking/TrackingProgram.h"

namespace vm {

namespace {

TrackingProgram kepral(TrackingKind kind, const QString &name)
{
    TrackingProgram p;
    p.kind = kind;
    p.name = name;
    p.windowTitle = name;
    p.application = name;
    p.topic = QStringLiteral("Export");
    p.satelliteItem = QStringLiteral("txtSatellite");
    p.elevationItem = QStringLiteral("txtElevation");
    p.revolutionItem = QStringLiteral("txtRevolution");
    p.rangeRateItem = QStringLiteral("txtRangeRate");
    p.registrySection = name;
    return p;
}

TrackingProgram ornik()
{
    TrackingProgram p;
    p.kind = TrackingKind::Ornik;
    p.name = QStringLiteral("Ornik");
    p.windowTitle = QStringLiteral("ornik");
    p.application = QStringLiteral("Ornik");
    p.topic = QStringLiteral("EXTRN");
    p.satelliteItem = QStringLiteral("TEXT1");
    p.elevationItem = QStringLiteral("TEXT3");
    p.revolutionItem = QStringLiteral("TEXT5");
    p.rangeRateItem = QStringLiteral("TEXT7");
    return p; // Ornik publishes nothing in the registry
}

TrackingProgram builtin()
{
    TrackingProgram p;
    p.kind = TrackingKind::Builtin;
    p.name = QStringLiteral("built-in");
    return p;
}

} // namespace

const TrackingProgram &trackingProgram(TrackingKind kind)
{
    static const TrackingProgram k32 = kepral(TrackingKind::Kepral32, QStringLiteral("Kepral32"));
    static const TrackingProgram k99 = kepral(TrackingKind::Kepral99, QStringLiteral("Kepral99"));
    static const TrackingProgram orn = ornik();
    static const TrackingProgram own = builtin();
    switch (kind) {
    case TrackingKind::Kepral32:
        return k32;
    case TrackingKind::Ornik:
        return orn;
    case TrackingKind::Kepral99:
        return k99;
    case TrackingKind::Builtin:
        break;
    }
    return own;
}

QString calcTypeText(TrackingKind kind)
{
    return QString::number(int(kind));
}

std::optional<TrackingKind> kindFromCalcType(const QString &calcType)
{
    const QString t = calcType.trimmed();
    if (t == u"1")
        return TrackingKind::Kepral32;
    if (t == u"2")
        return TrackingKind::Ornik;
    if (t == u"3")
        return TrackingKind::Kepral99;
    if (t == u"4")
        return TrackingKind::Builtin;
    return std::nullopt;
}

} // namespace vm
