#pragma once

#include <cmath>

namespace vm::orbit {

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    double norm() const { return std::sqrt(x * x + y * y + z * z); }
    double dot(const Vec3 &o) const { return x * o.x + y * o.y + z * o.z; }
    Vec3 cross(const Vec3 &o) const { return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x}; }
    Vec3 operator-(const Vec3 &o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator+(const Vec3 &o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator*(double k) const { return {x * k, y * k, z * k}; }
};

} // namespace vm::orbit
