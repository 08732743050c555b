#pragma once

#include "orbit/Tle.h"
#include "orbit/Vec3.h"

namespace vm::orbit {

// Error codes of the SGP4/SDP4 model (numbering as the published algorithm).
enum class Sgp4Error {
    None = 0,
    MeanElements = 1,      // mean eccentricity out of [-0.001, 1)
    MeanMotion = 2,        // mean motion not positive
    PerturbedElements = 3, // perturbed eccentricity out of [0, 1]
    SemiLatusRectum = 4,   // semi-latus rectum negative
    Decayed = 6,           // orbit radius below one earth radius
};

const char *sgp4ErrorText(Sgp4Error error);

// Position and velocity in the TEME frame (true equator, mean equinox of date).
struct StateVector {
    Vec3 position; // km
    Vec3 velocity; // km/s
    Sgp4Error error = Sgp4Error::None;

    bool ok() const { return error == Sgp4Error::None; }
};

// How the reference implementation's "operation mode" treats sidereal time and
// node angles: Improved is the recommended mode, Afspc reproduces the
// historical operational code.
enum class Sgp4Mode { Improved, Afspc };

// SGP4 (near earth) and SDP4 (deep space, period 225 minutes or more)
// propagation of one element set, the 2006 revision with WGS-72 constants.
// Propagation has no hidden state: the deep-space resonance integration always
// starts from epoch, so one object may be used from several threads.
class Sgp4 {
public:
    explicit Sgp4(const Tle &tle, Sgp4Mode mode = Sgp4Mode::Improved);

    StateVector propagate(double minutesSinceEpoch) const;

    bool isDeepSpace() const { return m_deepSpace; }
    double epochJulianDate() const { return m_epochJd; }
    // Mean motion after recovering the semi-major axis ("un-Kozai"), rad/min.
    double meanMotion() const { return m_noUnkozai; }
    // Secular rates of mean anomaly, argument of perigee and node, rad/min.
    double meanAnomalyRate() const { return m_mdot; }
    double argPerigeeRate() const { return m_argpdot; }
    // Secular drag factor of the semi-major axis (a = a0 * f^2), 1 at epoch.
    // It falls monotonically for positive drag; where it reaches zero the
    // model no longer describes an orbit.
    double dragFactor(double minutesSinceEpoch) const;

private:
    void initDeepSpace(double epochDays, double tc, double xpidot, double eccsq);
    void applyPeriodics(double &ep, double &inclp, double &nodep, double &argpp, double &mp, double t) const;

    Sgp4Mode m_mode;
    double m_epochJd = 0.0;
    bool m_deepSpace = false;
    bool m_simple = false; // perigee below 220 km: truncated drag terms

    // Elements at epoch (radians, rad/min).
    double m_bstar = 0.0, m_ecco = 0.0, m_argpo = 0.0, m_inclo = 0.0, m_mo = 0.0, m_nodeo = 0.0;
    double m_noUnkozai = 0.0;

    // Near-earth coefficients.
    double m_aycof = 0.0, m_con41 = 0.0, m_cc1 = 0.0, m_cc4 = 0.0, m_cc5 = 0.0;
    double m_d2 = 0.0, m_d3 = 0.0, m_d4 = 0.0, m_delmo = 0.0, m_eta = 0.0;
    double m_argpdot = 0.0, m_omgcof = 0.0, m_sinmao = 0.0;
    double m_t2cof = 0.0, m_t3cof = 0.0, m_t4cof = 0.0, m_t5cof = 0.0;
    double m_x1mth2 = 0.0, m_x7thm1 = 0.0, m_mdot = 0.0, m_nodedot = 0.0;
    double m_xlcof = 0.0, m_xmcof = 0.0, m_nodecf = 0.0, m_gsto = 0.0;

    // Deep-space lunar-solar periodic coefficients.
    double m_e3 = 0.0, m_ee2 = 0.0, m_se2 = 0.0, m_se3 = 0.0, m_sgh2 = 0.0, m_sgh3 = 0.0, m_sgh4 = 0.0;
    double m_sh2 = 0.0, m_sh3 = 0.0, m_si2 = 0.0, m_si3 = 0.0, m_sl2 = 0.0, m_sl3 = 0.0, m_sl4 = 0.0;
    double m_xgh2 = 0.0, m_xgh3 = 0.0, m_xgh4 = 0.0, m_xh2 = 0.0, m_xh3 = 0.0, m_xi2 = 0.0, m_xi3 = 0.0;
    double m_xl2 = 0.0, m_xl3 = 0.0, m_xl4 = 0.0, m_zmol = 0.0, m_zmos = 0.0;

    // Deep-space secular rates and resonance terms.
    int m_irez = 0; // 0 none, 1 one-day (synchronous), 2 half-day resonance
    double m_d2201 = 0.0, m_d2211 = 0.0, m_d3210 = 0.0, m_d3222 = 0.0, m_d4410 = 0.0, m_d4422 = 0.0;
    double m_d5220 = 0.0, m_d5232 = 0.0, m_d5421 = 0.0, m_d5433 = 0.0;
    double m_dedt = 0.0, m_didt = 0.0, m_dmdt = 0.0, m_dnodt = 0.0, m_domdt = 0.0;
    double m_del1 = 0.0, m_del2 = 0.0, m_del3 = 0.0, m_xfact = 0.0, m_xlamo = 0.0;
};

} // namespace vm::orbit
