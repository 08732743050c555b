#include "orbit/Tle.h"

#include "orbit/JulianDate.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace vm::orbit {

namespace {

std::string_view trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

// Columns are 1-based and inclusive, as element set formats are documented.
std::string_view columns(std::string_view line, int first, int last)
{
    return line.substr(static_cast<size_t>(first - 1), static_cast<size_t>(last - first + 1));
}

std::optional<double> parseDouble(std::string_view field)
{
    field = trim(field);
    if (field.empty())
        return 0.0;
    std::string text(field);
    // "+.123" is legal in element sets but not for from_chars.
    if (text.front() == '+')
        text.erase(0, 1);
    if (!text.empty() && text.front() == '.')
        text.insert(0, "0");
    else if (text.size() > 1 && text[0] == '-' && text[1] == '.')
        text.insert(1, "0");
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> parseInt(std::string_view field)
{
    field = trim(field);
    if (field.empty())
        return 0;
    int value = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || end != field.data() + field.size())
        return std::nullopt;
    return value;
}

// Catalogue numbers above 99999 use the "Alpha-5" form: a letter (I and O
// skipped) standing for 10..33 followed by four digits.
std::optional<int> parseCatalogNumber(std::string_view field)
{
    field = trim(field);
    if (!field.empty() && std::isalpha(static_cast<unsigned char>(field.front()))) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(field.front())));
        if (c == 'I' || c == 'O' || field.size() != 5)
            return std::nullopt;
        int lead = c - 'A' + 10;
        if (c > 'I')
            --lead;
        if (c > 'O')
            --lead;
        const auto rest = parseInt(field.substr(1));
        if (!rest)
            return std::nullopt;
        return lead * 10000 + *rest;
    }
    return parseInt(field);
}

// Fields like " 12345-3" mean 0.12345e-3; the sign of the mantissa is the first column.
std::optional<double> parseImpliedDecimal(std::string_view field)
{
    const std::string_view t = trim(field);
    if (t.empty())
        return 0.0;
    std::string_view body = field;
    double sign = 1.0;
    if (body.front() == '-' || body.front() == '+') {
        sign = body.front() == '-' ? -1.0 : 1.0;
        body.remove_prefix(1);
    } else if (body.front() == ' ') {
        body.remove_prefix(1);
    }
    if (body.size() < 3)
        return std::nullopt;
    const std::string_view mantissa = trim(body.substr(0, body.size() - 2));
    const std::string_view exponent = body.substr(body.size() - 2);
    for (char c : mantissa)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
    const auto m = parseDouble(std::string("0.") + std::string(mantissa));
    const auto e = parseInt(exponent[0] == '+' ? exponent.substr(1) : exponent);
    if (!m || !e)
        return std::nullopt;
    return sign * *m * std::pow(10.0, *e);
}

bool looksLikeLine(std::string_view line, char number)
{
    return line.size() >= 2 && line[0] == number && line[1] == ' ';
}

} // namespace

double Tle::epochJulianDate() const
{
    return julianDateFromCalendar(epochYear, 1, 1, 0, 0, 0.0) + (epochDay - 1.0);
}

std::string Tle::displayName() const
{
    return name.empty() ? std::to_string(catalogNumber) : name;
}

int tleChecksum(std::string_view line)
{
    int sum = 0;
    for (size_t i = 0; i < line.size() && i < 68; ++i) {
        const char c = line[i];
        if (c >= '0' && c <= '9')
            sum += c - '0';
        else if (c == '-')
            sum += 1;
    }
    return sum % 10;
}

bool parseTleLines(std::string_view name, std::string_view line1, std::string_view line2, Tle &out,
                   std::string &error, const TleParseOptions &options)
{
    // Trailing blanks and carriage returns are common in downloaded files.
    while (!line1.empty() && (line1.back() == '\r' || line1.back() == ' '))
        line1.remove_suffix(1);
    while (!line2.empty() && (line2.back() == '\r' || line2.back() == ' '))
        line2.remove_suffix(1);
    if (!looksLikeLine(line1, '1') || !looksLikeLine(line2, '2')) {
        error = "expected line 1 followed by line 2";
        return false;
    }
    if (line1.size() < 69 || line2.size() < 69) {
        error = line1.size() < 69 ? "line 1 is shorter than 69 columns" : "line 2 is shorter than 69 columns";
        return false;
    }
    line1 = line1.substr(0, 69);
    line2 = line2.substr(0, 69);

    if (options.verifyChecksums) {
        for (int n = 1; n <= 2; ++n) {
            const std::string_view line = n == 1 ? line1 : line2;
            const char c = line[68];
            if (!std::isdigit(static_cast<unsigned char>(c)) || c - '0' != tleChecksum(line)) {
                error = "checksum error in line " + std::to_string(n) + " (expected " +
                        std::to_string(tleChecksum(line)) + ", found '" + std::string(1, c) + "')";
                return false;
            }
        }
    }

    Tle t;
    t.name = std::string(trim(name));
    // A name line of the form "0 NAME" (as some services write it) loses its marker.
    if (t.name.size() > 2 && t.name[0] == '0' && t.name[1] == ' ')
        t.name = std::string(trim(std::string_view(t.name).substr(2)));
    t.line1 = std::string(line1);
    t.line2 = std::string(line2);

    const auto fail = [&error](const char *what) {
        error = std::string("bad field: ") + what;
        return false;
    };

    const auto sat1 = parseCatalogNumber(columns(line1, 3, 7));
    const auto sat2 = parseCatalogNumber(columns(line2, 3, 7));
    if (!sat1 || !sat2)
        return fail("catalogue number");
    if (*sat1 != *sat2) {
        error = "catalogue numbers of line 1 and line 2 differ";
        return false;
    }
    t.catalogNumber = *sat1;
    t.classification = line1[7];
    t.internationalDesignator = std::string(trim(columns(line1, 10, 17)));

    const auto year = parseInt(columns(line1, 19, 20));
    const auto day = parseDouble(columns(line1, 21, 32));
    if (!year || !day || *year < 0 || *day < 1.0 || *day >= 367.0)
        return fail("epoch");
    t.epochYear = *year < 57 ? 2000 + *year : 1900 + *year;
    t.epochDay = *day;

    const auto ndot = parseDouble(columns(line1, 34, 43));
    if (!ndot)
        return fail("first derivative of mean motion");
    t.meanMotionDot = *ndot;
    const auto nddot = parseImpliedDecimal(columns(line1, 45, 52));
    if (!nddot)
        return fail("second derivative of mean motion");
    t.meanMotionDdot = *nddot;
    const auto bstar = parseImpliedDecimal(columns(line1, 54, 61));
    if (!bstar)
        return fail("drag term");
    t.bstar = *bstar;
    const auto ephType = parseInt(columns(line1, 63, 63));
    const auto setNumber = parseInt(columns(line1, 65, 68));
    if (!ephType || !setNumber)
        return fail("element set number");
    t.ephemerisType = *ephType;
    t.elementSetNumber = *setNumber;

    const auto incl = parseDouble(columns(line2, 9, 16));
    const auto raan = parseDouble(columns(line2, 18, 25));
    const std::string_view eccField = trim(columns(line2, 27, 33));
    const auto ecc = parseDouble(std::string("0.") + std::string(eccField));
    const auto argp = parseDouble(columns(line2, 35, 42));
    const auto mean = parseDouble(columns(line2, 44, 51));
    const auto motion = parseDouble(columns(line2, 53, 63));
    const auto rev = parseInt(columns(line2, 64, 68));
    if (!incl || *incl < 0.0 || *incl > 180.0)
        return fail("inclination");
    if (!raan || *raan < 0.0 || *raan > 360.0)
        return fail("right ascension of the node");
    if (eccField.find_first_not_of("0123456789") != std::string_view::npos || !ecc)
        return fail("eccentricity");
    if (!argp || *argp < 0.0 || *argp > 360.0)
        return fail("argument of perigee");
    if (!mean || *mean < 0.0 || *mean > 360.0)
        return fail("mean anomaly");
    if (!motion || *motion <= 0.0)
        return fail("mean motion");
    if (!rev)
        return fail("revolution number");
    t.inclinationDeg = *incl;
    t.raanDeg = *raan;
    t.eccentricity = *ecc;
    t.argPerigeeDeg = *argp;
    t.meanAnomalyDeg = *mean;
    t.meanMotion = *motion;
    t.revolutionNumber = *rev;

    out = std::move(t);
    return true;
}

TleParseResult parseTleText(std::string_view text, const TleParseOptions &options)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (nl == std::string_view::npos)
            break;
        text.remove_prefix(nl + 1);
    }

    TleParseResult result;
    std::string_view pendingName;
    int pendingNameLine = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const int lineNo = static_cast<int>(i) + 1;
        if (trim(line).empty() || line.front() == '#')
            continue;
        if (looksLikeLine(line, '1')) {
            // Find the partner line, skipping nothing: line 2 must follow directly.
            if (i + 1 >= lines.size() || !looksLikeLine(lines[i + 1], '2')) {
                result.problems.push_back({lineNo, "line 1 without a following line 2"});
                pendingName = {};
                continue;
            }
            Tle tle;
            std::string error;
            if (parseTleLines(pendingName, line, lines[i + 1], tle, error, options))
                result.sets.push_back(std::move(tle));
            else
                result.problems.push_back({lineNo, error});
            pendingName = {};
            ++i;
            continue;
        }
        if (looksLikeLine(line, '2')) {
            result.problems.push_back({lineNo, "line 2 without a preceding line 1"});
            pendingName = {};
            continue;
        }
        // Anything else is a name line; two in a row mean the first had no elements.
        if (!pendingName.empty())
            result.problems.push_back({pendingNameLine, "name line without element lines"});
        pendingName = line;
        pendingNameLine = lineNo;
    }
    if (!pendingName.empty())
        result.problems.push_back({pendingNameLine, "name line without element lines"});
    return result;
}

} // namespace vm::orbit
