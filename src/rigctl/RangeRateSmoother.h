#pragma once

#include <QString>
#include <array>

namespace vm {

// Extrapolates the range rate between the tracking program's refreshes.
//
// The tracking program refreshes its range rate less often than the control
// loop runs. When a new raw value arrives the step s = (raw - last) / D is
// noted; while the same raw value keeps coming, raw + k(n) * s is used, where
// n counts the repeats and k comes from the active profile.
class RangeRateSmoother {
public:
    RangeRateSmoother();

    // Selects profile 2..7. Profile 2 sets only k(2)..k(6): k(7) onward keep
    // the values of the profile that was active before it.
    void selectProfile(int profile);
    int profile() const { return m_profile; }

    // Smoothed value for this tick's raw value (above the horizon).
    float smooth(float raw);
    // Below the horizon, or with smoothing off: the raw value becomes the reference.
    void setReference(float raw);
    // Forgets the history (satellite change).
    void reset();

    double factor(int repeat) const;

private:
    int m_profile = 2;
    int m_divisor = 2;
    // k(2) .. k(9 or more)
    std::array<double, 8> m_k{};
    float m_last = 0;
    float m_step = 0;
    int m_repeats = 0;
};

// Which smoothing profile suits the rig-1 baud rate, poll interval, rig-1
// response wait and Doppler state. Returns 0 when the active profile stays.
int selectSmoothingProfile(const QString &baud, int pollTimeMs, int responseWaitMs, int dopplerState);

} // namespace vm
