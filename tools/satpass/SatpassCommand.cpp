#include "SatpassCommand.h"

#include "orbit/JulianDate.h"
#include "orbit/LookAngles.h"
#include "orbit/Maidenhead.h"
#include "orbit/Observer.h"
#include "orbit/OverheadOrbit.h"
#include "orbit/PassPredictor.h"
#include "orbit/Satellite.h"
#include "orbit/Tle.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>

namespace vm::satpass {

namespace {

using namespace vm::orbit;

constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;
constexpr int kExitData = 2;
constexpr int kExitPropagation = 3;

const char *const kHelp =
    R"(Usage: satpass --tle FILE (--lat DEG --lon DEG [--height M] | --locator LOC)
               [--sat NAME] [--time TIME] [--hours H] [--look-only | --passes-only]
       satpass --tle FILE --list
       satpass --make-overhead NAME (--lat DEG --lon DEG | --locator LOC)
               [--time TIME] [--minutes M]

Prints where a satellite is seen from a station at one moment (azimuth,
elevation, range, range rate, sub-satellite point, revolution number) and its
passes over the following span.

  --tle FILE      element sets, two-line or three-line (name line) form
  --sat NAME      satellite name (case-insensitive) or catalogue number;
                  may be left out when the file holds a single satellite
  --lat DEG       station latitude, degrees north (negative south)
  --lon DEG       station longitude, degrees east (negative west)
  --height M      station height above the ellipsoid in metres (default 0)
  --locator LOC   Maidenhead locator (4, 6 or 8 characters) instead of --lat/--lon
  --time TIME     UTC moment: "YYYY-MM-DD HH:MM:SS", "YYYY-MM-DDTHH:MM:SSZ"
                  or @UNIXSECONDS (default: now)
  --hours H       length of the pass search span from TIME (default 24)
  --look-only     print only the look angles
  --passes-only   print only the passes
  --list          list the satellites of the file and end
  --make-overhead NAME
                  print a three-line element set of a made-up satellite NAME,
                  epoch TIME, that passes right over the station M minutes
                  after TIME (for demonstrations and tests)
  --minutes M     with --make-overhead: minutes to the culmination (default 5)
  --help          this text

All times are UTC. Range rate is positive when the satellite recedes.
Exit status: 0 done, 1 bad arguments, 2 file or satellite not usable,
3 the orbit cannot be propagated at the given time (e.g. decayed).
)";

std::optional<double> toNumber(const std::string &text)
{
    double value = 0.0;
    const char *begin = text.data();
    const char *end = text.data() + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::optional<int64_t> parseTime(const std::string &text)
{
    if (!text.empty() && text.front() == '@') {
        const auto secs = toNumber(text.substr(1));
        if (!secs)
            return std::nullopt;
        return static_cast<int64_t>(std::llround(*secs * 1000.0));
    }
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    double second = 0.0;
    char sep = 0;
    char trailing[4] = {0};
    const int n = std::sscanf(text.c_str(), "%4d-%2d-%2d%c%2d:%2d:%lf%3s", &year, &month, &day, &sep, &hour,
                              &minute, &second, trailing);
    if (n == 3) {
        hour = minute = 0;
        second = 0.0;
    } else if (n < 7 || (sep != 'T' && sep != ' ') || (n == 8 && std::string(trailing) != "Z")) {
        return std::nullopt;
    }
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second < 0.0 ||
        second >= 61.0)
        return std::nullopt;
    return unixMsFromJulianDate(julianDateFromCalendar(year, month, day, hour, minute, second));
}

std::string formatTime(int64_t unixMs)
{
    const std::chrono::sys_time<std::chrono::milliseconds> tp{std::chrono::milliseconds(unixMs)};
    const auto days = std::chrono::floor<std::chrono::days>(tp);
    const std::chrono::year_month_day ymd{days};
    const std::chrono::hh_mm_ss hms{std::chrono::floor<std::chrono::seconds>(tp - days)};
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u %02ld:%02ld:%02ld", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                  static_cast<long>(hms.hours().count()), static_cast<long>(hms.minutes().count()),
                  static_cast<long>(hms.seconds().count()));
    return buf;
}

std::string formatLatLon(double lat, double lon)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4f %c %.4f %c", std::fabs(lat), lat < 0 ? 'S' : 'N', std::fabs(lon),
                  lon < 0 ? 'W' : 'E');
    return buf;
}

struct Arguments {
    std::string tleFile;
    std::string satellite;
    std::optional<double> lat, lon;
    double heightM = 0.0;
    std::string locator;
    std::optional<int64_t> timeMs;
    double hours = 24.0;
    bool lookOnly = false;
    bool passesOnly = false;
    bool list = false;
    bool help = false;
    std::string makeOverhead;
    double minutes = 5.0;
};

// Returns an error text, or nothing when the arguments are usable.
std::optional<std::string> parseArguments(const std::vector<std::string> &args, Arguments &a)
{
    for (size_t i = 0; i < args.size(); ++i) {
        std::string opt = args[i];
        std::optional<std::string> inlineValue;
        if (const size_t eq = opt.find('='); opt.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = opt.substr(eq + 1);
            opt = opt.substr(0, eq);
        }
        const auto value = [&]() -> std::optional<std::string> {
            if (inlineValue)
                return inlineValue;
            if (i + 1 < args.size())
                return args[++i];
            return std::nullopt;
        };
        const auto number = [&](const char *what) -> std::optional<double> {
            const auto v = value();
            return v ? toNumber(*v) : std::nullopt;
            (void)what;
        };
        if (opt == "--help" || opt == "-h") {
            a.help = true;
        } else if (opt == "--tle") {
            const auto v = value();
            if (!v)
                return "--tle needs a file name";
            a.tleFile = *v;
        } else if (opt == "--sat") {
            const auto v = value();
            if (!v)
                return "--sat needs a name";
            a.satellite = *v;
        } else if (opt == "--lat") {
            a.lat = number("--lat");
            if (!a.lat || std::fabs(*a.lat) > 90.0)
                return "--lat needs a latitude in degrees between -90 and 90";
        } else if (opt == "--lon") {
            a.lon = number("--lon");
            if (!a.lon || std::fabs(*a.lon) > 180.0)
                return "--lon needs a longitude in degrees between -180 and 180";
        } else if (opt == "--height") {
            const auto h = number("--height");
            if (!h)
                return "--height needs a height in metres";
            a.heightM = *h;
        } else if (opt == "--locator") {
            const auto v = value();
            if (!v)
                return "--locator needs a Maidenhead locator";
            a.locator = *v;
        } else if (opt == "--time") {
            const auto v = value();
            a.timeMs = v ? parseTime(*v) : std::nullopt;
            if (!a.timeMs)
                return "--time needs a UTC time like \"2024-05-01 12:00:00\" or @1714564800";
        } else if (opt == "--hours") {
            const auto h = number("--hours");
            if (!h || *h <= 0.0 || *h > 24.0 * 366)
                return "--hours needs a positive number of hours (at most a year)";
            a.hours = *h;
        } else if (opt == "--look-only") {
            a.lookOnly = true;
        } else if (opt == "--passes-only") {
            a.passesOnly = true;
        } else if (opt == "--list") {
            a.list = true;
        } else if (opt == "--make-overhead") {
            a.makeOverhead = value().value_or(std::string());
            if (a.makeOverhead.empty())
                return "--make-overhead needs a satellite name";
        } else if (opt == "--minutes") {
            const auto m = number("--minutes");
            if (!m || *m < 0.0 || *m > 1440.0)
                return "--minutes needs a number of minutes between 0 and 1440";
            a.minutes = *m;
        } else {
            return "unknown argument: " + args[i];
        }
    }
    if (a.help)
        return std::nullopt;
    if (a.tleFile.empty() && a.makeOverhead.empty())
        return "--tle FILE is required";
    if (a.list)
        return std::nullopt;
    if (a.lookOnly && a.passesOnly)
        return "--look-only and --passes-only exclude each other";
    if (!a.locator.empty() && (a.lat || a.lon))
        return "give either --locator or --lat/--lon, not both";
    if (a.locator.empty() && (!a.lat || !a.lon))
        return "the station is required: --lat and --lon, or --locator";
    return std::nullopt;
}

const Tle *findSatellite(const std::vector<Tle> &sets, const std::string &wanted, std::string &error)
{
    if (wanted.empty()) {
        if (sets.size() == 1)
            return &sets.front();
        error = "the file holds " + std::to_string(sets.size()) +
                " satellites; choose one with --sat (see --list)";
        return nullptr;
    }
    const std::string key = upper(wanted);
    for (const Tle &t : sets)
        if (upper(t.name) == key)
            return &t;
    for (const Tle &t : sets)
        if (std::to_string(t.catalogNumber) == key)
            return &t;
    error = "satellite not found: " + wanted;
    return nullptr;
}

std::optional<Observer> stationOf(const Arguments &a, std::ostream &err)
{
    Observer observer;
    observer.heightM = a.heightM;
    if (!a.locator.empty()) {
        const auto ll = locatorToLatLon(a.locator);
        if (!ll) {
            err << "satpass: not a Maidenhead locator: " << a.locator << "\n";
            return std::nullopt;
        }
        observer.latitudeDeg = ll->latitudeDeg;
        observer.longitudeDeg = ll->longitudeDeg;
    } else {
        observer.latitudeDeg = *a.lat;
        observer.longitudeDeg = *a.lon;
    }
    return observer;
}

int64_t timeOf(const Arguments &a)
{
    return a.timeMs ? *a.timeMs
                    : std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::system_clock::now().time_since_epoch())
                          .count();
}

} // namespace

int runSatpass(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    Arguments a;
    if (const auto problem = parseArguments(args, a)) {
        err << "satpass: " << *problem << "\n(satpass --help shows the usage)\n";
        return kExitUsage;
    }
    if (a.help) {
        out << kHelp;
        return kExitOk;
    }

    if (!a.makeOverhead.empty()) {
        const auto station = stationOf(a, err);
        if (!station)
            return kExitUsage;
        OverheadOrbitRequest request;
        request.name = a.makeOverhead;
        request.station = *station;
        request.epochUnixMs = timeOf(a);
        request.culminationUnixMs = request.epochUnixMs + static_cast<int64_t>(std::llround(a.minutes * 60000.0));
        const Tle tle = designOverheadOrbit(request);
        out << tle.name << "\n" << tle.line1 << "\n" << tle.line2 << "\n";
        return kExitOk;
    }

    std::ifstream file(a.tleFile, std::ios::binary);
    if (!file) {
        err << "satpass: cannot read " << a.tleFile << "\n";
        return kExitData;
    }
    std::ostringstream text;
    text << file.rdbuf();
    const TleParseResult parsed = parseTleText(text.str());
    for (const TleProblem &p : parsed.problems)
        err << a.tleFile << ":" << p.line << ": skipped: " << p.message << "\n";
    if (parsed.sets.empty()) {
        err << "satpass: no usable element sets in " << a.tleFile << "\n";
        return kExitData;
    }
    if (a.list) {
        for (const Tle &t : parsed.sets)
            out << t.catalogNumber << "  " << t.displayName() << "\n";
        return kExitOk;
    }

    std::string error;
    const Tle *tle = findSatellite(parsed.sets, a.satellite, error);
    if (!tle) {
        err << "satpass: " << error << "\n";
        return kExitData;
    }

    const auto station = stationOf(a, err);
    if (!station)
        return kExitUsage;
    const Observer observer = *station;
    const int64_t nowMs = timeOf(a);
    const Satellite satellite(*tle);
    char line[256];

    out << "Satellite:  " << satellite.name() << " (" << tle->catalogNumber << ")\n";
    out << "Station:    " << formatLatLon(observer.latitudeDeg, observer.longitudeDeg) << ", "
        << observer.heightM << " m\n";
    out << "Time:       " << formatTime(nowMs) << " UTC\n";

    int exitCode = kExitOk;
    if (!a.passesOnly) {
        const LookAngles look = lookAngles(satellite, observer, nowMs);
        if (!look.ok()) {
            err << "satpass: cannot propagate " << satellite.name() << " at " << formatTime(nowMs)
                << " UTC: " << sgp4ErrorText(look.error) << "\n";
            return kExitPropagation;
        }
        std::snprintf(
            line, sizeof line,
            "Azimuth:    %.2f deg\nElevation:  %.2f deg\nRange:      %.1f km\nRange rate: %.1f m/s\n",
            look.azimuthDeg, look.elevationDeg, look.rangeKm, look.rangeRateMs);
        out << line;
        std::snprintf(line, sizeof line, "Sub-satellite point: %s, altitude %.1f km\n",
                      formatLatLon(look.subSatellite.latitudeDeg, look.subSatellite.longitudeDeg).c_str(),
                      look.subSatellite.heightKm);
        out << line;
        out << "Revolution: " << look.revolution << "\n";
    }

    if (!a.lookOnly) {
        const int64_t endMs = nowMs + static_cast<int64_t>(std::llround(a.hours * 3600000.0));
        const PassSearchResult passes = findPasses(satellite, observer, nowMs, endMs);
        out << "\nPasses from " << formatTime(nowMs) << " to " << formatTime(endMs)
            << " UTC: " << passes.passes.size() << "\n";
        if (passes.staleEpoch)
            out << "No pass search for " << satellite.name()
                << ": its element set's epoch is over a year from the span; update the TLE file\n";
        if (!passes.passes.empty())
            out << "AOS                   AzAOS  Max elevation time    MaxEl  AzMax  LOS                   "
                   "AzLOS\n";
        for (const Pass &p : passes.passes) {
            std::snprintf(line, sizeof line, "%s%c %6.1f  %s  %5.1f  %5.1f  %s%c %6.1f\n",
                          formatTime(p.aosMs).c_str(), p.aosAtSpanStart ? '*' : ' ', p.aosAzimuthDeg,
                          formatTime(p.maxMs).c_str(), p.maxElevationDeg, p.maxAzimuthDeg,
                          formatTime(p.losMs).c_str(), p.losAtSearchEnd ? '*' : ' ', p.losAzimuthDeg);
            out << line;
        }
        if (std::any_of(passes.passes.begin(), passes.passes.end(),
                        [](const Pass &p) { return p.aosAtSpanStart || p.losAtSearchEnd; }))
            out << "(* already up at the span start / still up at the end of the search)\n";
        if (passes.error != Sgp4Error::None) {
            err << "satpass: propagation stopped at " << formatTime(passes.errorAtMs)
                << " UTC: " << sgp4ErrorText(passes.error) << "\n";
            exitCode = kExitPropagation;
        }
    }
    return exitCode;
}

} // namespace vm::satpass
