#include "FakeTracker.h"

#include "tracking/OrbitValues.h"
#include "tracking/RegistrySource.h"
#include "tracking/WineRegistry.h"

#include <QDateTime>
#include <QHash>
#include <QSocketNotifier>
#include <QTimeZone>

#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace vm::faketracker {

std::optional<int64_t> parseUtc(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    const qlonglong ms = t.toLongLong(&ok);
    if (ok)
        return ms;
    for (const char *format : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-ddTHH:mm:ss.zzz",
                               "yyyy-MM-dd HH:mm:ss.zzz"}) {
        QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(format));
        if (dt.isValid()) {
            dt.setTimeZone(QTimeZone::utc());
            return dt.toMSecsSinceEpoch();
        }
    }
    return std::nullopt;
}

FakeTracker::FakeTracker(TrackingKind kind, int64_t startUtcMs, double speed, QObject *parent)
    : QObject(parent), m_program(trackingProgram(kind)), m_startUtcMs(startUtcMs), m_baseUtcMs(startUtcMs),
      m_speed(speed)
{
    m_sinceBase.start();
    m_registryTimer.setInterval(1000);
    connect(&m_registryTimer, &QTimer::timeout, this, &FakeTracker::writeRegistry);
}

FakeTracker::~FakeTracker() = default;

void FakeTracker::setOrbit(std::unique_ptr<Orbit> orbit)
{
    m_orbit = std::move(orbit);
}

bool FakeTracker::start(QString *error)
{
    if (!m_channel.open()) {
        *error = m_channel.errorString();
        return false;
    }
    // The export endpoint first: whoever sees the window may ask at once.
    for (const QString &title : {m_program.exportTitle(), m_program.windowTitle}) {
        if (!m_channel.registerTitle(title)) {
            *error = QStringLiteral("cannot take the title \"%1\": %2").arg(title, m_channel.errorString());
            return false;
        }
        m_channel.setCloseHandler(title, [this] { emit finished(); });
    }
    m_channel.setItemHandler(m_program.exportTitle(), [this](const QString &name) { return item(name); });

    if (!m_registryFile.isEmpty()) {
        writeRegistry();
        m_registryTimer.start();
    }

    // Console commands on standard input, when there is one.
    m_console = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_console, &QSocketNotifier::activated, this, &FakeTracker::readConsole);
    return true;
}

int64_t FakeTracker::simulatedUtcMs() const
{
    return m_baseUtcMs + int64_t(std::llround(double(m_sinceBase.elapsed()) * m_speed));
}

void FakeTracker::setSimulatedUtcMs(int64_t utcMs)
{
    m_baseUtcMs = utcMs;
    m_sinceBase.restart();
}

Values FakeTracker::valuesNow() const
{
    const int64_t utc = simulatedUtcMs();
    if (m_orbit) {
        if (const std::optional<TrackingValues> v =
                orbitValues::compute(m_orbit->name, m_orbit->satellite, m_orbit->station, utc)) {
            return {v->satellite, v->elevation, orbitValues::rangeRateText(v->rangeRate), v->revolution};
        }
        // A decayed orbit: the program shows nothing useful any more.
        return {m_orbit->name, QString(), QString(), QString()};
    }
    if (m_script) {
        const TrackerScript::Entry &e = m_script->at(double(utc - m_startUtcMs) / 1000.0);
        return {e.satellite, e.elevation, e.rangeRate, e.revolution};
    }
    return m_fixed.value_or(Values{});
}

std::optional<QString> FakeTracker::item(const QString &name) const
{
    const Values v = valuesNow();
    if (name == m_program.satelliteItem)
        return v.satellite;
    if (name == m_program.elevationItem)
        return v.elevation;
    if (name == m_program.revolutionItem)
        return v.revolution;
    if (name == m_program.rangeRateItem)
        return v.rangeRate;
    return std::nullopt;
}

void FakeTracker::writeRegistry()
{
    const Values v = valuesNow();
    const QHash<QString, QString> values{{QStringLiteral("Satellite"), v.satellite},
                                         {QStringLiteral("Elevation"), v.elevation},
                                         {QStringLiteral("RangeRate"), v.rangeRate},
                                         {QStringLiteral("Revolution"), v.revolution}};
    if (!wineRegistry::writeKey(m_registryFile, RegistrySource::keyPath(m_program.registrySection), values))
        std::fprintf(stderr, "faketracker: cannot write %s\n", qPrintable(m_registryFile));
}

void FakeTracker::readConsole()
{
    char buffer[4096];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) {
        // End of input (or none at all): keep serving until killed or asked to close.
        m_console->setEnabled(false);
        return;
    }
    m_consoleBuffer.append(buffer, qsizetype(n));
    qsizetype end;
    while ((end = m_consoleBuffer.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(m_consoleBuffer.left(end)).trimmed();
        m_consoleBuffer.remove(0, end + 1);
        if (!line.isEmpty())
            handleCommand(line);
    }
}

void FakeTracker::handleCommand(const QString &line)
{
    const QString command = line.section(u' ', 0, 0);
    const QString argument = line.section(u' ', 1).trimmed();
    if (command == u"at") {
        const std::optional<int64_t> utc = parseUtc(argument);
        if (!utc) {
            std::printf("error: not a time: %s\n", qPrintable(argument));
        } else {
            setSimulatedUtcMs(*utc);
            if (!m_registryFile.isEmpty())
                writeRegistry();
            std::printf("at %lld\n", static_cast<long long>(*utc));
        }
    } else if (command == u"values") {
        const Values v = valuesNow();
        std::printf("%lld %s %s %s %s\n", static_cast<long long>(simulatedUtcMs()), qPrintable(v.satellite),
                    qPrintable(v.elevation), qPrintable(v.rangeRate), qPrintable(v.revolution));
    } else if (command == u"quit") {
        emit finished();
    } else {
        std::printf("error: unknown command: %s (at TIME, values, quit)\n", qPrintable(command));
    }
    std::fflush(stdout);
}

} // namespace vm::faketracker
