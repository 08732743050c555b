#pragma once

#include "orbit/Vec3.h"

namespace vm::orbit {

// A point given by geodetic coordinates on the WGS-84 ellipsoid.
struct Geodetic {
    double latitudeDeg = 0.0;  // north positive
    double longitudeDeg = 0.0; // east positive, (-180, 180]
    double heightKm = 0.0;     // above the ellipsoid
};

// A ground station.
struct Observer {
    double latitudeDeg = 0.0;  // north positive
    double longitudeDeg = 0.0; // east positive
    double heightM = 0.0;      // above the ellipsoid

    // Earth-fixed position in km.
    Vec3 earthFixedKm() const;
};

Vec3 geodeticToEarthFixed(double latitudeDeg, double longitudeDeg, double heightKm);
Geodetic earthFixedToGeodetic(const Vec3 &positionKm);

} // namespace vm::orbit
