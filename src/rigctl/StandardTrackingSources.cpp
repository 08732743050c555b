#include "rigctl/StandardTrackingSources.h"

#include "common/DataDir.h"
#include "common/SatelliteTable.h"
#include "common/SettingKeys.h"
#include "platform/LocalChannel.h"
#include "platform/WineBridge.h"
#include "tracking/BuiltinSource.h"
#include "tracking/TrackingProgram.h"
#include "tracking/TrackingSourceFactory.h"

#include <QDebug>
#include <QDir>

namespace vm {

StandardTrackingSources::StandardTrackingSources(LocalChannel &channel, Clock &clock, QString dataDir,
                                                 std::function<bool(const QString &title)> windowExists)
    : m_channel(channel), m_clock(clock), m_dataDir(std::move(dataDir)),
      m_settings(findFileNoCase(m_dataDir, QStringLiteral("Velomira.ini"))),
      m_windowExists(std::move(windowExists))
{
}

bool StandardTrackingSources::programRunning(const QString &title)
{
    if (m_channel.titleExists(title) || (m_windowExists && m_windowExists(title)))
        return true;
    // A stand-in program may own only its export endpoint.
    for (TrackingKind kind : {TrackingKind::Kepral32, TrackingKind::Ornik, TrackingKind::Kepral99}) {
        const TrackingProgram &p = trackingProgram(kind);
        if (p.windowTitle == title && m_channel.titleExists(p.exportTitle()))
            return true;
    }
    // A Windows program whose window this desktop does not show (no X11
    // titles here): the bridge asks Wine, but only when the settings name an
    // outside program, so that nobody else waits for Wine to start.
    const QString configured = m_settings.value(keys::CalcType);
    const bool outside = configured == u"1" || configured == u"2" || configured == u"3";
    return outside && m_bridge && m_bridge->findWindow(title).has_value();
}

std::unique_ptr<TrackingSource> StandardTrackingSources::create(const QString &calcType, bool useDde)
{
    const std::optional<TrackingKind> kind = kindFromCalcType(calcType);
    if (!kind)
        return nullptr;
    // The factory reads the method from the settings file.
    if (*kind != TrackingKind::Builtin && m_settings.value(keys::UseDde) != (useDde ? u"1" : u"0"))
        m_settings.setValue(keys::UseDde, useDde ? QStringLiteral("1") : QStringLiteral("0"));
    QStringList names;
    if (*kind == TrackingKind::Builtin) {
        SatelliteTable table;
        const QString path = findFileNoCase(m_dataDir, SatelliteTable::fileName());
        if (table.load(path) > 0)
            names = BuiltinSource::tableNames(table);
    }
    const TrackingSourceContext context{m_settings, m_channel, m_clock, names, m_dataDir, m_windowExists, m_bridge};
    std::unique_ptr<TrackingSource> source = makeTrackingSource(*kind, context);
    // The loop keeps each dial until its next tick: our own computation gives
    // the range rate for the middle of that time, which halves the error of
    // our signal at the satellite (BENCHMARKS.md, pass replay).
    if (auto *builtin = dynamic_cast<BuiltinSource *>(source.get()))
        builtin->setRangeRateLead(true);
    return source;
}

bool StandardTrackingSources::builtinCanRun(QString *why)
{
    // A trial open reads the station and the orbit data as the link would.
    const std::unique_ptr<TrackingSource> source = create(calcTypeText(TrackingKind::Builtin), false);
    if (!source)
        return false;
    const bool ok = source->open(why);
    source->close();
    return ok;
}

void StandardTrackingSources::selectSatellite(TrackingSource *source, const QString &name)
{
    auto *builtin = dynamic_cast<BuiltinSource *>(source);
    if (!builtin)
        return;
    QString error;
    if (!builtin->selectSatellite(name, &error))
        qWarning().noquote() << "tunavox: satellite" << name << "cannot be tracked:" << error;
}

void StandardTrackingSources::setDialDelay(TrackingSource *source, qint64 ms)
{
    if (auto *builtin = dynamic_cast<BuiltinSource *>(source))
        builtin->setDialDelayMs(ms);
}

} // namespace vm
