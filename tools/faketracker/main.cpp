// faketracker: a stand-in orbit-tracking program for tests and the demo.

#include "FakeTracker.h"
#include "TrackerScript.h"
#include "common/TextFile.h"
#include "common/Version.h"
#include "orbit/Maidenhead.h"
#include "orbit/Tle.h"
#include "tracking/SatelliteMatch.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>

#include <cstdio>

using namespace vm;
using namespace vm::faketracker;

namespace {

const char *kDescription = R"(
A stand-in for an outside orbit-tracking program (Kepral32, Kepral99 or Ornik).
It owns the program's window title ("Kepral32", "Kepral99" or "ornik") and its
export endpoint ("DDE:Kepral32|Export", "DDE:Kepral99|Export" or
"DDE:Ornik|EXTRN") on the command channel of $VELOMIRA_RUNTIME_DIR, and answers
item requests:
  Kepral32, Kepral99: txtSatellite txtElevation txtRevolution txtRangeRate
  Ornik:              TEXT1        TEXT3        TEXT5         TEXT7
(satellite, elevation in degrees, revolution number, range rate in m/s,
positive when the satellite recedes). Any other item is unknown (result 0).

The values come from one of:
  fixed values    --satellite, --elevation, --range-rate, --revolution;
                  served exactly as written (garbage included, for tests)
  a script        --script FILE, lines "seconds-from-start satellite elevation
                  rangerate revolution" ('#' comments; a satellite with blanks in
                  double quotes; the revolution may be left out); each line is in
                  force from its time until the next line's
  an orbit        --tle FILE [--sat NAME] with a station (--lat/--lon or
                  --locator, --height): SGP4 look angles at the program's clock;
                  elevation and range rate with two decimals

The program's clock starts at --time (default: now) and runs at --speed times
real time (0 stops it). Commands on standard input, one per line:
  at TIME    set the clock (UTC "YYYY-MM-DD HH:MM:SS" or Unix milliseconds);
             answers "at <milliseconds>"
  values     print "<milliseconds> satellite elevation rangerate revolution"
  quit       end the program

--registry FILE also writes the values every second to a Wine registry file
(user.reg) under Software\VB and VBA Program Settings\Q0ORBT\<program>, as the
registry method reads them (Kepral32 and Kepral99 only).

Runs until killed, "quit", or a close request to either title.
Exit status: 0 normal end, 2 bad arguments or a title owned by another program.)";

int fail(const QString &message)
{
    std::fprintf(stderr, "faketracker: %s\n", qPrintable(message));
    return 2;
}

std::optional<double> number(const QString &text)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    if (vm::printVersionIfAsked(argc, argv, "faketracker"))
        return 0;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("faketracker"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    parser.addHelpOption();
    const QCommandLineOption programOpt(
        {QStringLiteral("p"), QStringLiteral("program")},
        QStringLiteral("Tracking program to stand in for: Kepral32 (default), Kepral99 or ornik."),
        QStringLiteral("name"), QStringLiteral("Kepral32"));
    const QCommandLineOption satOpt(QStringLiteral("satellite"), QStringLiteral("Fixed satellite name."),
                                    QStringLiteral("name"));
    const QCommandLineOption elOpt(QStringLiteral("elevation"),
                                   QStringLiteral("Fixed elevation text (degrees)."), QStringLiteral("deg"));
    const QCommandLineOption rrOpt(QStringLiteral("range-rate"),
                                   QStringLiteral("Fixed range-rate text (m/s)."), QStringLiteral("mps"));
    const QCommandLineOption revOpt(QStringLiteral("revolution"), QStringLiteral("Fixed revolution text."),
                                    QStringLiteral("n"));
    const QCommandLineOption scriptOpt(QStringLiteral("script"), QStringLiteral("File of timed values."),
                                       QStringLiteral("file"));
    const QCommandLineOption tleOpt(QStringLiteral("tle"),
                                    QStringLiteral("TLE file to compute the values from."),
                                    QStringLiteral("file"));
    const QCommandLineOption tleSatOpt(
        QStringLiteral("sat"),
        QStringLiteral("Satellite of the TLE file (matched as the built-in tracker matches table names; "
                       "default: the first set)."),
        QStringLiteral("name"));
    const QCommandLineOption nameOpt(QStringLiteral("name"),
                                     QStringLiteral("Satellite name to serve (default: the TLE's name)."),
                                     QStringLiteral("name"));
    const QCommandLineOption latOpt(QStringLiteral("lat"), QStringLiteral("Station latitude, degrees north."),
                                    QStringLiteral("deg"));
    const QCommandLineOption lonOpt(QStringLiteral("lon"), QStringLiteral("Station longitude, degrees east."),
                                    QStringLiteral("deg"));
    const QCommandLineOption locOpt(QStringLiteral("locator"), QStringLiteral("Station Maidenhead locator."),
                                    QStringLiteral("grid"));
    const QCommandLineOption heightOpt(QStringLiteral("height"), QStringLiteral("Station height, metres."),
                                       QStringLiteral("m"), QStringLiteral("0"));
    const QCommandLineOption timeOpt(QStringLiteral("time"), QStringLiteral("Start time of the clock (UTC)."),
                                     QStringLiteral("time"));
    const QCommandLineOption speedOpt(QStringLiteral("speed"), QStringLiteral("Clock speed (0 stops it)."),
                                      QStringLiteral("factor"), QStringLiteral("1"));
    const QCommandLineOption regOpt(QStringLiteral("registry"),
                                    QStringLiteral("Wine registry file to write the values to every second."),
                                    QStringLiteral("file"));
    parser.addOptions({programOpt, satOpt, elOpt, rrOpt, revOpt, scriptOpt, tleOpt, tleSatOpt, nameOpt,
                       latOpt, lonOpt, locOpt, heightOpt, timeOpt, speedOpt, regOpt});
    parser.process(app);

    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument: ") + parser.positionalArguments().first());

    const QString programName = parser.value(programOpt);
    std::optional<TrackingKind> kind;
    for (TrackingKind k : {TrackingKind::Kepral32, TrackingKind::Kepral99, TrackingKind::Ornik}) {
        const TrackingProgram &p = trackingProgram(k);
        if (programName.compare(p.name, Qt::CaseInsensitive) == 0 ||
            programName.compare(p.windowTitle, Qt::CaseInsensitive) == 0)
            kind = k;
    }
    if (!kind)
        return fail(QStringLiteral("unknown program \"%1\" (Kepral32, Kepral99 or ornik)").arg(programName));

    int64_t start = QDateTime::currentMSecsSinceEpoch();
    if (parser.isSet(timeOpt)) {
        const std::optional<int64_t> t = parseUtc(parser.value(timeOpt));
        if (!t)
            return fail(QStringLiteral("not a time: ") + parser.value(timeOpt));
        start = *t;
    }
    const std::optional<double> speed = number(parser.value(speedOpt));
    if (!speed || *speed < 0)
        return fail(QStringLiteral("--speed needs a number of zero or more"));

    FakeTracker tracker(*kind, start, *speed);

    const int sources =
        int(parser.isSet(scriptOpt)) + int(parser.isSet(tleOpt)) +
        int(parser.isSet(satOpt) || parser.isSet(elOpt) || parser.isSet(rrOpt) || parser.isSet(revOpt));
    if (sources > 1)
        return fail(QStringLiteral("give fixed values, --script or --tle, not several"));

    if (parser.isSet(scriptOpt)) {
        TrackerScript script;
        QString error;
        if (!script.load(parser.value(scriptOpt), &error))
            return fail(error);
        tracker.setScript(script);
    } else if (parser.isSet(tleOpt)) {
        QString error;
        const std::optional<QString> text = TextFile::read(parser.value(tleOpt), &error);
        if (!text)
            return fail(error);
        const orbit::TleParseResult parsed = orbit::parseTleText(text->toStdString());
        if (parsed.sets.empty())
            return fail(parser.value(tleOpt) + QStringLiteral(": no element sets"));
        std::size_t index = 0;
        if (parser.isSet(tleSatOpt)) {
            const std::optional<std::size_t> found =
                satelliteMatch::find(parser.value(tleSatOpt), parsed.sets);
            if (!found)
                return fail(QStringLiteral("no element set for \"%1\" in %2")
                                .arg(parser.value(tleSatOpt), parser.value(tleOpt)));
            index = *found;
        }
        orbit::Observer station;
        if (parser.isSet(latOpt) || parser.isSet(lonOpt)) {
            const std::optional<double> lat = number(parser.value(latOpt));
            const std::optional<double> lon = number(parser.value(lonOpt));
            if (!lat || !lon || std::abs(*lat) > 90 || std::abs(*lon) > 180)
                return fail(QStringLiteral("--lat and --lon need degrees (-90..90, -180..180)"));
            station.latitudeDeg = *lat;
            station.longitudeDeg = *lon;
        } else if (parser.isSet(locOpt)) {
            const std::optional<orbit::LatLon> p = orbit::locatorToLatLon(parser.value(locOpt).toStdString());
            if (!p)
                return fail(QStringLiteral("not a locator: ") + parser.value(locOpt));
            station.latitudeDeg = p->latitudeDeg;
            station.longitudeDeg = p->longitudeDeg;
        } else {
            return fail(QStringLiteral("--tle needs a station: --lat and --lon, or --locator"));
        }
        const std::optional<double> height = number(parser.value(heightOpt));
        if (!height)
            return fail(QStringLiteral("--height needs metres"));
        station.heightM = *height;
        const orbit::Tle &tle = parsed.sets[index];
        const QString name =
            parser.isSet(nameOpt) ? parser.value(nameOpt) : QString::fromStdString(tle.displayName());
        tracker.setOrbit(
            std::make_unique<FakeTracker::Orbit>(FakeTracker::Orbit{name, orbit::Satellite(tle), station}));
    } else {
        tracker.setFixed(
            Values{parser.value(satOpt), parser.value(elOpt), parser.value(rrOpt), parser.value(revOpt)});
    }

    if (parser.isSet(regOpt)) {
        if (trackingProgram(*kind).registrySection.isEmpty())
            return fail(QStringLiteral("%1 has no registry method").arg(trackingProgram(*kind).name));
        tracker.setRegistryFile(parser.value(regOpt));
    }

    QString error;
    if (!tracker.start(&error))
        return fail(error);
    QObject::connect(&tracker, &FakeTracker::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    std::printf("serving %s\n", qPrintable(trackingProgram(*kind).exportTitle()));
    std::fflush(stdout);
    return app.exec();
}
