#pragma once

#include <optional>
#include <string_view>

namespace vm::orbit {

struct LatLon {
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
};

// Centre of a Maidenhead locator square of 4, 6 or 8 characters ("PM95",
// "PM95vq", "PM95vq12"), letters in either case. Anything else gives nothing.
std::optional<LatLon> locatorToLatLon(std::string_view locator);

} // namespace vm::orbit
