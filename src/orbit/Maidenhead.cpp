#include "orbit/Maidenhead.h"

#include <cctype>

namespace vm::orbit {

std::optional<LatLon> locatorToLatLon(std::string_view locator)
{
    if (locator.size() != 4 && locator.size() != 6 && locator.size() != 8)
        return std::nullopt;
    const auto upper = [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); };

    // Field: letters A-R, 20 x 10 degrees.
    const char f0 = upper(locator[0]);
    const char f1 = upper(locator[1]);
    if (f0 < 'A' || f0 > 'R' || f1 < 'A' || f1 > 'R')
        return std::nullopt;
    double lon = -180.0 + (f0 - 'A') * 20.0;
    double lat = -90.0 + (f1 - 'A') * 10.0;
    double lonSize = 20.0;
    double latSize = 10.0;

    // Square: digits, 2 x 1 degrees.
    if (!std::isdigit(static_cast<unsigned char>(locator[2])) ||
        !std::isdigit(static_cast<unsigned char>(locator[3])))
        return std::nullopt;
    lonSize /= 10.0;
    latSize /= 10.0;
    lon += (locator[2] - '0') * lonSize;
    lat += (locator[3] - '0') * latSize;

    if (locator.size() >= 6) {
        // Subsquare: letters A-X, 5 x 2.5 minutes.
        const char s0 = upper(locator[4]);
        const char s1 = upper(locator[5]);
        if (s0 < 'A' || s0 > 'X' || s1 < 'A' || s1 > 'X')
            return std::nullopt;
        lonSize /= 24.0;
        latSize /= 24.0;
        lon += (s0 - 'A') * lonSize;
        lat += (s1 - 'A') * latSize;
    }
    if (locator.size() == 8) {
        // Extended square: digits, 30 x 15 seconds.
        if (!std::isdigit(static_cast<unsigned char>(locator[6])) ||
            !std::isdigit(static_cast<unsigned char>(locator[7])))
            return std::nullopt;
        lonSize /= 10.0;
        latSize /= 10.0;
        lon += (locator[6] - '0') * lonSize;
        lat += (locator[7] - '0') * latSize;
    }
    return LatLon{lat + latSize / 2.0, lon + lonSize / 2.0};
}

} // namespace vm::orbit
