#include "orbit/Sgp4.h"

#include "orbit/JulianDate.h"

#include <cmath>
#include <numbers>

namespace vm::orbit {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kX2o3 = 2.0 / 3.0;
constexpr double kTemp4 = 1.5e-12;

// WGS-72 constants, the set the model was fitted with.
constexpr double kMu = 398600.8;            // km^3/s^2
constexpr double kEarthRadiusKm = 6378.135; // km
const double kXke = 60.0 / std::sqrt(kEarthRadiusKm * kEarthRadiusKm * kEarthRadiusKm / kMu);
constexpr double kJ2 = 0.001082616;
constexpr double kJ3 = -0.00000253881;
constexpr double kJ4 = -0.00000165597;
constexpr double kJ3oJ2 = kJ3 / kJ2;

// Earth rotation rate in rad/min as the deep-space resonance terms use it.
constexpr double kRptim = 4.37526908801129966e-3;

// Solar and lunar constants of the deep-space perturbations.
constexpr double kZns = 1.19459e-5;
constexpr double kZes = 0.01675;
constexpr double kZnl = 1.5835218e-4;
constexpr double kZel = 0.05490;

// Days from 1949-12-31 00:00 UT, the time base of the reference algorithm.
constexpr double kJd1950 = 2433281.5;

} // namespace

const char *sgp4ErrorText(Sgp4Error error)
{
    switch (error) {
    case Sgp4Error::None:
        return "no error";
    case Sgp4Error::MeanElements:
        return "mean eccentricity out of range";
    case Sgp4Error::MeanMotion:
        return "mean motion not positive";
    case Sgp4Error::PerturbedElements:
        return "perturbed eccentricity out of range";
    case Sgp4Error::SemiLatusRectum:
        return "semi-latus rectum negative";
    case Sgp4Error::Decayed:
        return "satellite has decayed";
    }
    return "unknown error";
}

Sgp4::Sgp4(const Tle &tle, Sgp4Mode mode) : m_mode(mode)
{
    const double minutesPerRev = 1440.0 / kTwoPi; // rev/day -> rad/min
    const double noKozai = tle.meanMotion / minutesPerRev;
    m_bstar = tle.bstar;
    m_ecco = tle.eccentricity;
    m_argpo = tle.argPerigeeDeg * kDegToRad;
    m_inclo = tle.inclinationDeg * kDegToRad;
    m_mo = tle.meanAnomalyDeg * kDegToRad;
    m_nodeo = tle.raanDeg * kDegToRad;
    m_epochJd = tle.epochJulianDate();
    const double epochDays = m_epochJd - kJd1950;

    // Recover the original mean motion and semi-major axis from the Kozai mean motion.
    const double eccsq = m_ecco * m_ecco;
    const double omeosq = 1.0 - eccsq;
    const double rteosq = std::sqrt(omeosq);
    const double cosio = std::cos(m_inclo);
    const double cosio2 = cosio * cosio;
    const double ak = std::pow(kXke / noKozai, kX2o3);
    const double d1 = 0.75 * kJ2 * (3.0 * cosio2 - 1.0) / (rteosq * omeosq);
    double del = d1 / (ak * ak);
    const double adel = ak * (1.0 - del * del - del * (1.0 / 3.0 + 134.0 * del * del / 81.0));
    del = d1 / (adel * adel);
    m_noUnkozai = noKozai / (1.0 + del);
    const double ao = std::pow(kXke / m_noUnkozai, kX2o3);
    const double sinio = std::sin(m_inclo);
    const double po = ao * omeosq;
    const double con42 = 1.0 - 5.0 * cosio2;
    m_con41 = -con42 - cosio2 - cosio2;
    const double posq = po * po;
    const double rp = ao * (1.0 - m_ecco);

    if (m_mode == Sgp4Mode::Afspc) {
        const double ts70 = epochDays - 7305.0;
        const double ds70 = std::floor(ts70 + 1.0e-8);
        const double tfrac = ts70 - ds70;
        const double c1 = 1.72027916940703639e-2;
        const double thgr70 = 1.7321343856509374;
        const double fk5r = 5.07551419432269442e-15;
        const double c1p2p = c1 + kTwoPi;
        m_gsto = std::fmod(thgr70 + c1 * ds70 + c1p2p * tfrac + ts70 * ts70 * fk5r, kTwoPi);
        if (m_gsto < 0.0)
            m_gsto += kTwoPi;
    } else {
        m_gsto = gmstRadians(epochDays + kJd1950);
    }

    // Perigee below 220 km: the higher-order drag terms are left out.
    m_simple = rp < 220.0 / kEarthRadiusKm + 1.0;

    // Atmospheric density parameter s and (q0 - s)^4, adjusted for low perigees.
    double sfour = 78.0 / kEarthRadiusKm + 1.0;
    const double qzms2tBase = (120.0 - 78.0) / kEarthRadiusKm;
    double qzms24 = qzms2tBase * qzms2tBase * qzms2tBase * qzms2tBase;
    const double perigeeKm = (rp - 1.0) * kEarthRadiusKm;
    if (perigeeKm < 156.0) {
        sfour = perigeeKm < 98.0 ? 20.0 : perigeeKm - 78.0;
        const double q = (120.0 - sfour) / kEarthRadiusKm;
        qzms24 = q * q * q * q;
        sfour = sfour / kEarthRadiusKm + 1.0;
    }
    const double pinvsq = 1.0 / posq;
    const double tsi = 1.0 / (ao - sfour);
    m_eta = ao * m_ecco * tsi;
    const double etasq = m_eta * m_eta;
    const double eeta = m_ecco * m_eta;
    const double psisq = std::fabs(1.0 - etasq);
    const double coef = qzms24 * std::pow(tsi, 4.0);
    const double coef1 = coef / std::pow(psisq, 3.5);
    const double cc2 = coef1 * m_noUnkozai *
                       (ao * (1.0 + 1.5 * etasq + eeta * (4.0 + etasq)) +
                        0.375 * kJ2 * tsi / psisq * m_con41 * (8.0 + 3.0 * etasq * (8.0 + etasq)));
    m_cc1 = m_bstar * cc2;
    double cc3 = 0.0;
    if (m_ecco > 1.0e-4)
        cc3 = -2.0 * coef * tsi * kJ3oJ2 * m_noUnkozai * sinio / m_ecco;
    m_x1mth2 = 1.0 - cosio2;
    m_cc4 = 2.0 * m_noUnkozai * coef1 * ao * omeosq *
            (m_eta * (2.0 + 0.5 * etasq) + m_ecco * (0.5 + 2.0 * etasq) -
             kJ2 * tsi / (ao * psisq) *
                 (-3.0 * m_con41 * (1.0 - 2.0 * eeta + etasq * (1.5 - 0.5 * eeta)) +
                  0.75 * m_x1mth2 * (2.0 * etasq - eeta * (1.0 + etasq)) * std::cos(2.0 * m_argpo)));
    m_cc5 = 2.0 * coef1 * ao * omeosq * (1.0 + 2.75 * (etasq + eeta) + eeta * etasq);

    // Secular rates from the zonal harmonics J2 and J4.
    const double cosio4 = cosio2 * cosio2;
    const double temp1 = 1.5 * kJ2 * pinvsq * m_noUnkozai;
    const double temp2 = 0.5 * temp1 * kJ2 * pinvsq;
    const double temp3 = -0.46875 * kJ4 * pinvsq * pinvsq * m_noUnkozai;
    m_mdot = m_noUnkozai + 0.5 * temp1 * rteosq * m_con41 +
             0.0625 * temp2 * rteosq * (13.0 - 78.0 * cosio2 + 137.0 * cosio4);
    m_argpdot = -0.5 * temp1 * con42 + 0.0625 * temp2 * (7.0 - 114.0 * cosio2 + 395.0 * cosio4) +
                temp3 * (3.0 - 36.0 * cosio2 + 49.0 * cosio4);
    const double xhdot1 = -temp1 * cosio;
    m_nodedot = xhdot1 + (0.5 * temp2 * (4.0 - 19.0 * cosio2) + 2.0 * temp3 * (3.0 - 7.0 * cosio2)) * cosio;
    const double xpidot = m_argpdot + m_nodedot;
    m_omgcof = m_bstar * cc3 * std::cos(m_argpo);
    m_xmcof = 0.0;
    if (m_ecco > 1.0e-4)
        m_xmcof = -kX2o3 * coef * m_bstar / eeta;
    m_nodecf = 3.5 * omeosq * xhdot1 * m_cc1;
    m_t2cof = 1.5 * m_cc1;
    const double xlcofDen = std::fabs(cosio + 1.0) > kTemp4 ? 1.0 + cosio : kTemp4;
    m_xlcof = -0.25 * kJ3oJ2 * sinio * (3.0 + 5.0 * cosio) / xlcofDen;
    m_aycof = -0.5 * kJ3oJ2 * sinio;
    const double delmotemp = 1.0 + m_eta * std::cos(m_mo);
    m_delmo = delmotemp * delmotemp * delmotemp;
    m_sinmao = std::sin(m_mo);
    m_x7thm1 = 7.0 * cosio2 - 1.0;

    // Periods of 225 minutes or more need the lunar-solar terms of SDP4.
    if (kTwoPi / m_noUnkozai >= 225.0) {
        m_deepSpace = true;
        m_simple = true;
        initDeepSpace(epochDays, 0.0, xpidot, eccsq);
    }

    if (!m_simple) {
        const double cc1sq = m_cc1 * m_cc1;
        m_d2 = 4.0 * ao * tsi * cc1sq;
        const double temp = m_d2 * tsi * m_cc1 / 3.0;
        m_d3 = (17.0 * ao + sfour) * temp;
        m_d4 = 0.5 * temp * ao * tsi * (221.0 * ao + 31.0 * sfour) * m_cc1;
        m_t3cof = m_d2 + 2.0 * cc1sq;
        m_t4cof = 0.25 * (3.0 * m_d3 + m_cc1 * (12.0 * m_d2 + 10.0 * cc1sq));
        m_t5cof = 0.2 * (3.0 * m_d4 + 12.0 * m_cc1 * m_d3 + 6.0 * m_d2 * m_d2 +
                         15.0 * cc1sq * (2.0 * m_d2 + cc1sq));
    }
}

// Lunar and solar coefficients (periodic and secular) and the resonance terms
// for 12-hour and 24-hour orbits.
void Sgp4::initDeepSpace(double epochDays, double tc, double xpidot, double eccsq)
{
    const double c1ss = 2.9864797e-6;
    const double c1l = 4.7968065e-7;
    const double zsinis = 0.39785416;
    const double zcosis = 0.91744867;
    const double zcosgs = 0.1945905;
    const double zsings = -0.98088458;

    const double nm = m_noUnkozai;
    const double em = m_ecco;
    const double snodm = std::sin(m_nodeo);
    const double cnodm = std::cos(m_nodeo);
    const double sinomm = std::sin(m_argpo);
    const double cosomm = std::cos(m_argpo);
    const double sinim = std::sin(m_inclo);
    const double cosim = std::cos(m_inclo);
    const double emsq = em * em;
    const double betasq = 1.0 - emsq;
    const double rtemsq = std::sqrt(betasq);

    // Position of the moon's orbit at epoch.
    const double day = epochDays + 18261.5 + tc / 1440.0;
    const double xnodce = std::fmod(4.5236020 - 9.2422029e-4 * day, kTwoPi);
    const double stem = std::sin(xnodce);
    const double ctem = std::cos(xnodce);
    const double zcosil = 0.91375164 - 0.03568096 * ctem;
    const double zsinil = std::sqrt(1.0 - zcosil * zcosil);
    const double zsinhl = 0.089683511 * stem / zsinil;
    const double zcoshl = std::sqrt(1.0 - zsinhl * zsinhl);
    const double gam = 5.8351514 + 0.0019443680 * day;
    double zx = 0.39785416 * stem / zsinil;
    const double zy = zcoshl * ctem + 0.91744867 * zsinhl * stem;
    zx = std::atan2(zx, zy);
    zx = gam + zx - xnodce;
    const double zcosgl = std::cos(zx);
    const double zsingl = std::sin(zx);

    // The same terms are computed for the sun (first pass) and the moon (second).
    struct Terms {
        double s1, s2, s3, s4, s5, s6, s7;
        double z1, z2, z3, z11, z12, z13, z21, z22, z23, z31, z32, z33;
    };
    const auto terms = [&](double zcosg, double zsing, double zcosi, double zsini, double zcosh, double zsinh,
                           double cc) {
        Terms t{};
        const double a1 = zcosg * zcosh + zsing * zcosi * zsinh;
        const double a3 = -zsing * zcosh + zcosg * zcosi * zsinh;
        const double a7 = -zcosg * zsinh + zsing * zcosi * zcosh;
        const double a8 = zsing * zsini;
        const double a9 = zsing * zsinh + zcosg * zcosi * zcosh;
        const double a10 = zcosg * zsini;
        const double a2 = cosim * a7 + sinim * a8;
        const double a4 = cosim * a9 + sinim * a10;
        const double a5 = -sinim * a7 + cosim * a8;
        const double a6 = -sinim * a9 + cosim * a10;

        const double x1 = a1 * cosomm + a2 * sinomm;
        const double x2 = a3 * cosomm + a4 * sinomm;
        const double x3 = -a1 * sinomm + a2 * cosomm;
        const double x4 = -a3 * sinomm + a4 * cosomm;
        const double x5 = a5 * sinomm;
        const double x6 = a6 * sinomm;
        const double x7 = a5 * cosomm;
        const double x8 = a6 * cosomm;

        t.z31 = 12.0 * x1 * x1 - 3.0 * x3 * x3;
        t.z32 = 24.0 * x1 * x2 - 6.0 * x3 * x4;
        t.z33 = 12.0 * x2 * x2 - 3.0 * x4 * x4;
        t.z1 = 3.0 * (a1 * a1 + a2 * a2) + t.z31 * emsq;
        t.z2 = 6.0 * (a1 * a3 + a2 * a4) + t.z32 * emsq;
        t.z3 = 3.0 * (a3 * a3 + a4 * a4) + t.z33 * emsq;
        t.z11 = -6.0 * a1 * a5 + emsq * (-24.0 * x1 * x7 - 6.0 * x3 * x5);
        t.z12 = -6.0 * (a1 * a6 + a3 * a5) + emsq * (-24.0 * (x2 * x7 + x1 * x8) - 6.0 * (x3 * x6 + x4 * x5));
        t.z13 = -6.0 * a3 * a6 + emsq * (-24.0 * x2 * x8 - 6.0 * x4 * x6);
        t.z21 = 6.0 * a2 * a5 + emsq * (24.0 * x1 * x5 - 6.0 * x3 * x7);
        t.z22 = 6.0 * (a4 * a5 + a2 * a6) + emsq * (24.0 * (x2 * x5 + x1 * x6) - 6.0 * (x4 * x7 + x3 * x8));
        t.z23 = 6.0 * a4 * a6 + emsq * (24.0 * x2 * x6 - 6.0 * x4 * x8);
        t.z1 = t.z1 + t.z1 + betasq * t.z31;
        t.z2 = t.z2 + t.z2 + betasq * t.z32;
        t.z3 = t.z3 + t.z3 + betasq * t.z33;
        t.s3 = cc / nm;
        t.s2 = -0.5 * t.s3 / rtemsq;
        t.s4 = t.s3 * rtemsq;
        t.s1 = -15.0 * em * t.s4;
        t.s5 = x1 * x3 + x2 * x4;
        t.s6 = x2 * x3 + x1 * x4;
        t.s7 = x2 * x4 - x1 * x3;
        return t;
    };
    const Terms sun = terms(zcosgs, zsings, zcosis, zsinis, cnodm, snodm, c1ss);
    const Terms moon = terms(zcosgl, zsingl, zcosil, zsinil, zcoshl * cnodm + zsinhl * snodm,
                             snodm * zcoshl - cnodm * zsinhl, c1l);

    m_zmol = std::fmod(4.7199672 + 0.22997150 * day - gam, kTwoPi);
    m_zmos = std::fmod(6.2565837 + 0.017201977 * day, kTwoPi);

    m_se2 = 2.0 * sun.s1 * sun.s6;
    m_se3 = 2.0 * sun.s1 * sun.s7;
    m_si2 = 2.0 * sun.s2 * sun.z12;
    m_si3 = 2.0 * sun.s2 * (sun.z13 - sun.z11);
    m_sl2 = -2.0 * sun.s3 * sun.z2;
    m_sl3 = -2.0 * sun.s3 * (sun.z3 - sun.z1);
    m_sl4 = -2.0 * sun.s3 * (-21.0 - 9.0 * emsq) * kZes;
    m_sgh2 = 2.0 * sun.s4 * sun.z32;
    m_sgh3 = 2.0 * sun.s4 * (sun.z33 - sun.z31);
    m_sgh4 = -18.0 * sun.s4 * kZes;
    m_sh2 = -2.0 * sun.s2 * sun.z22;
    m_sh3 = -2.0 * sun.s2 * (sun.z23 - sun.z21);

    m_ee2 = 2.0 * moon.s1 * moon.s6;
    m_e3 = 2.0 * moon.s1 * moon.s7;
    m_xi2 = 2.0 * moon.s2 * moon.z12;
    m_xi3 = 2.0 * moon.s2 * (moon.z13 - moon.z11);
    m_xl2 = -2.0 * moon.s3 * moon.z2;
    m_xl3 = -2.0 * moon.s3 * (moon.z3 - moon.z1);
    m_xl4 = -2.0 * moon.s3 * (-21.0 - 9.0 * emsq) * kZel;
    m_xgh2 = 2.0 * moon.s4 * moon.z32;
    m_xgh3 = 2.0 * moon.s4 * (moon.z33 - moon.z31);
    m_xgh4 = -18.0 * moon.s4 * kZel;
    m_xh2 = -2.0 * moon.s2 * moon.z22;
    m_xh3 = -2.0 * moon.s2 * (moon.z23 - moon.z21);

    // Secular rates of the lunar-solar terms.
    const double q22 = 1.7891679e-6;
    const double q31 = 2.1460748e-6;
    const double q33 = 2.2123015e-7;
    const double root22 = 1.7891679e-6;
    const double root44 = 7.3636953e-9;
    const double root54 = 2.1765803e-9;
    const double root32 = 3.7393792e-7;
    const double root52 = 1.1428639e-7;

    m_irez = 0;
    if (nm < 0.0052359877 && nm > 0.0034906585)
        m_irez = 1;
    if (nm >= 8.26e-3 && nm <= 9.24e-3 && em >= 0.5)
        m_irez = 2;

    const bool nearEquatorial = m_inclo < 5.2359877e-2 || m_inclo > kPi - 5.2359877e-2;
    const double ses = sun.s1 * kZns * sun.s5;
    const double sis = sun.s2 * kZns * (sun.z11 + sun.z13);
    const double sls = -kZns * sun.s3 * (sun.z1 + sun.z3 - 14.0 - 6.0 * emsq);
    const double sghs = sun.s4 * kZns * (sun.z31 + sun.z33 - 6.0);
    double shs = -kZns * sun.s2 * (sun.z21 + sun.z23);
    if (nearEquatorial)
        shs = 0.0;
    if (sinim != 0.0)
        shs = shs / sinim;
    const double sgs = sghs - cosim * shs;

    m_dedt = ses + moon.s1 * kZnl * moon.s5;
    m_didt = sis + moon.s2 * kZnl * (moon.z11 + moon.z13);
    m_dmdt = sls - kZnl * moon.s3 * (moon.z1 + moon.z3 - 14.0 - 6.0 * emsq);
    const double sghl = moon.s4 * kZnl * (moon.z31 + moon.z33 - 6.0);
    double shll = -kZnl * moon.s2 * (moon.z21 + moon.z23);
    if (nearEquatorial)
        shll = 0.0;
    m_domdt = sgs + sghl;
    m_dnodt = shs;
    if (sinim != 0.0) {
        m_domdt = m_domdt - cosim / sinim * shll;
        m_dnodt = m_dnodt + shll / sinim;
    }

    if (m_irez == 0)
        return;

    const double theta = std::fmod(m_gsto + tc * kRptim, kTwoPi);
    const double aonv = std::pow(nm / kXke, kX2o3);

    if (m_irez == 2) {
        // Half-day resonance (Molniya-like orbits).
        const double cosisq = cosim * cosim;
        const double e = m_ecco;
        const double esq = eccsq;
        const double eoc = e * esq;
        const double g201 = -0.306 - (e - 0.64) * 0.440;
        double g211, g310, g322, g410, g422, g520, g521, g532, g533;
        if (e <= 0.65) {
            g211 = 3.616 - 13.2470 * e + 16.2900 * esq;
            g310 = -19.302 + 117.3900 * e - 228.4190 * esq + 156.5910 * eoc;
            g322 = -18.9068 + 109.7927 * e - 214.6334 * esq + 146.5816 * eoc;
            g410 = -41.122 + 242.6940 * e - 471.0940 * esq + 313.9530 * eoc;
            g422 = -146.407 + 841.8800 * e - 1629.014 * esq + 1083.4350 * eoc;
            g520 = -532.114 + 3017.977 * e - 5740.032 * esq + 3708.2760 * eoc;
        } else {
            g211 = -72.099 + 331.819 * e - 508.738 * esq + 266.724 * eoc;
            g310 = -346.844 + 1582.851 * e - 2415.925 * esq + 1246.113 * eoc;
            g322 = -342.585 + 1554.908 * e - 2366.899 * esq + 1215.972 * eoc;
            g410 = -1052.797 + 4758.686 * e - 7193.992 * esq + 3651.957 * eoc;
            g422 = -3581.690 + 16178.110 * e - 24462.770 * esq + 12422.520 * eoc;
            if (e > 0.715)
                g520 = -5149.66 + 29936.92 * e - 54087.36 * esq + 31324.56 * eoc;
            else
                g520 = 1464.74 - 4664.75 * e + 3763.64 * esq;
        }
        if (e < 0.7) {
            g533 = -919.22770 + 4988.6100 * e - 9064.7700 * esq + 5542.21 * eoc;
            g521 = -822.71072 + 4568.6173 * e - 8491.4146 * esq + 5337.524 * eoc;
            g532 = -853.66600 + 4690.2500 * e - 8624.7700 * esq + 5341.4 * eoc;
        } else {
            g533 = -37995.780 + 161616.52 * e - 229838.20 * esq + 109377.94 * eoc;
            g521 = -51752.104 + 218913.95 * e - 309468.16 * esq + 146349.42 * eoc;
            g532 = -40023.880 + 170470.89 * e - 242699.48 * esq + 115605.82 * eoc;
        }
        const double sini2 = sinim * sinim;
        const double f220 = 0.75 * (1.0 + 2.0 * cosim + cosisq);
        const double f221 = 1.5 * sini2;
        const double f321 = 1.875 * sinim * (1.0 - 2.0 * cosim - 3.0 * cosisq);
        const double f322 = -1.875 * sinim * (1.0 + 2.0 * cosim - 3.0 * cosisq);
        const double f441 = 35.0 * sini2 * f220;
        const double f442 = 39.3750 * sini2 * sini2;
        const double f522 =
            9.84375 * sinim *
            (sini2 * (1.0 - 2.0 * cosim - 5.0 * cosisq) + 0.33333333 * (-2.0 + 4.0 * cosim + 6.0 * cosisq));
        const double f523 = sinim * (4.92187512 * sini2 * (-2.0 - 4.0 * cosim + 10.0 * cosisq) +
                                     6.56250012 * (1.0 + 2.0 * cosim - 3.0 * cosisq));
        const double f542 =
            29.53125 * sinim * (2.0 - 8.0 * cosim + cosisq * (-12.0 + 8.0 * cosim + 10.0 * cosisq));
        const double f543 =
            29.53125 * sinim * (-2.0 - 8.0 * cosim + cosisq * (12.0 + 8.0 * cosim - 10.0 * cosisq));
        const double xno2 = nm * nm;
        const double ainv2 = aonv * aonv;
        double temp1 = 3.0 * xno2 * ainv2;
        double temp = temp1 * root22;
        m_d2201 = temp * f220 * g201;
        m_d2211 = temp * f221 * g211;
        temp1 = temp1 * aonv;
        temp = temp1 * root32;
        m_d3210 = temp * f321 * g310;
        m_d3222 = temp * f322 * g322;
        temp1 = temp1 * aonv;
        temp = 2.0 * temp1 * root44;
        m_d4410 = temp * f441 * g410;
        m_d4422 = temp * f442 * g422;
        temp1 = temp1 * aonv;
        temp = temp1 * root52;
        m_d5220 = temp * f522 * g520;
        m_d5232 = temp * f523 * g532;
        temp = 2.0 * temp1 * root54;
        m_d5421 = temp * f542 * g521;
        m_d5433 = temp * f543 * g533;
        m_xlamo = std::fmod(m_mo + m_nodeo + m_nodeo - theta - theta, kTwoPi);
        m_xfact = m_mdot + m_dmdt + 2.0 * (m_nodedot + m_dnodt - kRptim) - m_noUnkozai;
    } else {
        // One-day (geosynchronous) resonance.
        const double g200 = 1.0 + emsq * (-2.5 + 0.8125 * emsq);
        const double g310 = 1.0 + 2.0 * emsq;
        const double g300 = 1.0 + emsq * (-6.0 + 6.60937 * emsq);
        const double f220 = 0.75 * (1.0 + cosim) * (1.0 + cosim);
        const double f311 = 0.9375 * sinim * sinim * (1.0 + 3.0 * cosim) - 0.75 * (1.0 + cosim);
        double f330 = 1.0 + cosim;
        f330 = 1.875 * f330 * f330 * f330;
        m_del1 = 3.0 * nm * nm * aonv * aonv;
        m_del2 = 2.0 * m_del1 * f220 * g200 * q22;
        m_del3 = 3.0 * m_del1 * f330 * g300 * q33 * aonv;
        m_del1 = m_del1 * f311 * g310 * q31 * aonv;
        m_xlamo = std::fmod(m_mo + m_nodeo + m_argpo - theta, kTwoPi);
        m_xfact = m_mdot + xpidot - kRptim + m_dmdt + m_domdt + m_dnodt - m_noUnkozai;
    }
}

// Lunar-solar periodic perturbations of the elements at time t (minutes).
void Sgp4::applyPeriodics(double &ep, double &inclp, double &nodep, double &argpp, double &mp, double t) const
{
    double zm = m_zmos + kZns * t;
    double zf = zm + 2.0 * kZes * std::sin(zm);
    double sinzf = std::sin(zf);
    double f2 = 0.5 * sinzf * sinzf - 0.25;
    double f3 = -0.5 * sinzf * std::cos(zf);
    const double ses = m_se2 * f2 + m_se3 * f3;
    const double sis = m_si2 * f2 + m_si3 * f3;
    const double sls = m_sl2 * f2 + m_sl3 * f3 + m_sl4 * sinzf;
    const double sghs = m_sgh2 * f2 + m_sgh3 * f3 + m_sgh4 * sinzf;
    const double shs = m_sh2 * f2 + m_sh3 * f3;

    zm = m_zmol + kZnl * t;
    zf = zm + 2.0 * kZel * std::sin(zm);
    sinzf = std::sin(zf);
    f2 = 0.5 * sinzf * sinzf - 0.25;
    f3 = -0.5 * sinzf * std::cos(zf);
    const double sel = m_ee2 * f2 + m_e3 * f3;
    const double sil = m_xi2 * f2 + m_xi3 * f3;
    const double sll = m_xl2 * f2 + m_xl3 * f3 + m_xl4 * sinzf;
    const double sghl = m_xgh2 * f2 + m_xgh3 * f3 + m_xgh4 * sinzf;
    const double shll = m_xh2 * f2 + m_xh3 * f3;

    const double pe = ses + sel;
    const double pinc = sis + sil;
    const double pl = sls + sll;
    double pgh = sghs + sghl;
    double ph = shs + shll;

    inclp = inclp + pinc;
    ep = ep + pe;
    const double sinip = std::sin(inclp);
    const double cosip = std::cos(inclp);

    // Above 0.2 rad (perturbed inclination) the periodics apply directly; below,
    // the Lyddane form avoids the singularity at zero inclination.
    if (inclp >= 0.2) {
        ph = ph / sinip;
        pgh = pgh - cosip * ph;
        argpp = argpp + pgh;
        nodep = nodep + ph;
        mp = mp + pl;
    } else {
        const double sinop = std::sin(nodep);
        const double cosop = std::cos(nodep);
        double alfdp = sinip * sinop;
        double betdp = sinip * cosop;
        const double dalf = ph * cosop + pinc * cosip * sinop;
        const double dbet = -ph * sinop + pinc * cosip * cosop;
        alfdp = alfdp + dalf;
        betdp = betdp + dbet;
        nodep = std::fmod(nodep, kTwoPi);
        if (nodep < 0.0 && m_mode == Sgp4Mode::Afspc)
            nodep = nodep + kTwoPi;
        double xls = mp + argpp + cosip * nodep;
        const double dls = pl + pgh - pinc * nodep * sinip;
        xls = xls + dls;
        const double xnoh = nodep;
        nodep = std::atan2(alfdp, betdp);
        if (nodep < 0.0 && m_mode == Sgp4Mode::Afspc)
            nodep = nodep + kTwoPi;
        if (std::fabs(xnoh - nodep) > kPi) {
            if (nodep < xnoh)
                nodep = nodep + kTwoPi;
            else
                nodep = nodep - kTwoPi;
        }
        mp = mp + pl;
        argpp = xls - mp - cosip * nodep;
    }
}

double Sgp4::dragFactor(double t) const
{
    double f = 1.0 - m_cc1 * t;
    if (!m_simple)
        f -= m_d2 * t * t + m_d3 * t * t * t + m_d4 * t * t * t * t;
    return f;
}

StateVector Sgp4::propagate(double t) const
{
    StateVector out;
    const double vkmpersec = kEarthRadiusKm * kXke / 60.0;

    // Secular gravity and atmospheric drag.
    const double xmdf = m_mo + m_mdot * t;
    const double argpdf = m_argpo + m_argpdot * t;
    const double nodedf = m_nodeo + m_nodedot * t;
    double argpm = argpdf;
    double mm = xmdf;
    const double t2 = t * t;
    double nodem = nodedf + m_nodecf * t2;
    double tempa = 1.0 - m_cc1 * t;
    double tempe = m_bstar * m_cc4 * t;
    double templ = m_t2cof * t2;

    if (!m_simple) {
        const double delomg = m_omgcof * t;
        const double delmtemp = 1.0 + m_eta * std::cos(xmdf);
        const double delm = m_xmcof * (delmtemp * delmtemp * delmtemp - m_delmo);
        const double temp = delomg + delm;
        mm = xmdf + temp;
        argpm = argpdf - temp;
        const double t3 = t2 * t;
        const double t4 = t3 * t;
        tempa = tempa - m_d2 * t2 - m_d3 * t3 - m_d4 * t4;
        tempe = tempe + m_bstar * m_cc5 * (std::sin(mm) - m_sinmao);
        templ = templ + m_t3cof * t3 + t4 * (m_t4cof + t * m_t5cof);
    }

    double nm = m_noUnkozai;
    double em = m_ecco;
    double inclm = m_inclo;

    if (m_deepSpace) {
        // Lunar-solar secular effects and the resonance integration.
        const double theta = std::fmod(m_gsto + t * kRptim, kTwoPi);
        em = em + m_dedt * t;
        inclm = inclm + m_didt * t;
        argpm = argpm + m_domdt * t;
        nodem = nodem + m_dnodt * t;
        mm = mm + m_dmdt * t;

        if (m_irez != 0) {
            const double fasx2 = 0.13130908;
            const double fasx4 = 2.8843198;
            const double fasx6 = 0.37448087;
            const double g22 = 5.7686396;
            const double g32 = 0.95240898;
            const double g44 = 1.8014998;
            const double g52 = 1.0508330;
            const double g54 = 4.4108898;
            const double stepp = 720.0;
            const double step2 = 259200.0;

            // Euler-Maclaurin integration in 720-minute steps from epoch.
            double atime = 0.0;
            double xni = m_noUnkozai;
            double xli = m_xlamo;
            const double delt = t > 0.0 ? stepp : -stepp;
            double xndt = 0.0, xldot = 0.0, xnddt = 0.0, ft = 0.0;
            for (;;) {
                if (m_irez != 2) {
                    xndt = m_del1 * std::sin(xli - fasx2) + m_del2 * std::sin(2.0 * (xli - fasx4)) +
                           m_del3 * std::sin(3.0 * (xli - fasx6));
                    xldot = xni + m_xfact;
                    xnddt = m_del1 * std::cos(xli - fasx2) + 2.0 * m_del2 * std::cos(2.0 * (xli - fasx4)) +
                            3.0 * m_del3 * std::cos(3.0 * (xli - fasx6));
                    xnddt = xnddt * xldot;
                } else {
                    const double xomi = m_argpo + m_argpdot * atime;
                    const double x2omi = xomi + xomi;
                    const double x2li = xli + xli;
                    xndt = m_d2201 * std::sin(x2omi + xli - g22) + m_d2211 * std::sin(xli - g22) +
                           m_d3210 * std::sin(xomi + xli - g32) + m_d3222 * std::sin(-xomi + xli - g32) +
                           m_d4410 * std::sin(x2omi + x2li - g44) + m_d4422 * std::sin(x2li - g44) +
                           m_d5220 * std::sin(xomi + xli - g52) + m_d5232 * std::sin(-xomi + xli - g52) +
                           m_d5421 * std::sin(xomi + x2li - g54) + m_d5433 * std::sin(-xomi + x2li - g54);
                    xldot = xni + m_xfact;
                    xnddt = m_d2201 * std::cos(x2omi + xli - g22) + m_d2211 * std::cos(xli - g22) +
                            m_d3210 * std::cos(xomi + xli - g32) + m_d3222 * std::cos(-xomi + xli - g32) +
                            m_d5220 * std::cos(xomi + xli - g52) + m_d5232 * std::cos(-xomi + xli - g52) +
                            2.0 * (m_d4410 * std::cos(x2omi + x2li - g44) + m_d4422 * std::cos(x2li - g44) +
                                   m_d5421 * std::cos(xomi + x2li - g54) +
                                   m_d5433 * std::cos(-xomi + x2li - g54));
                    xnddt = xnddt * xldot;
                }
                if (std::fabs(t - atime) < stepp) {
                    ft = t - atime;
                    break;
                }
                xli = xli + xldot * delt + xndt * step2;
                xni = xni + xndt * delt + xnddt * step2;
                atime = atime + delt;
            }
            nm = xni + xndt * ft + xnddt * ft * ft * 0.5;
            const double xl = xli + xldot * ft + xndt * ft * ft * 0.5;
            if (m_irez != 1)
                mm = xl - 2.0 * nodem + 2.0 * theta;
            else
                mm = xl - nodem - argpm + theta;
        }
    }

    if (nm <= 0.0) {
        out.error = Sgp4Error::MeanMotion;
        return out;
    }
    const double am = std::pow(kXke / nm, kX2o3) * tempa * tempa;
    nm = kXke / std::pow(am, 1.5);
    em = em - tempe;
    if (em >= 1.0 || em < -0.001) {
        out.error = Sgp4Error::MeanElements;
        return out;
    }
    if (em < 1.0e-6)
        em = 1.0e-6;
    mm = mm + m_noUnkozai * templ;
    double xlm = mm + argpm + nodem;
    nodem = std::fmod(nodem, kTwoPi);
    argpm = std::fmod(argpm, kTwoPi);
    xlm = std::fmod(xlm, kTwoPi);
    mm = std::fmod(xlm - argpm - nodem, kTwoPi);

    // Lunar-solar periodics.
    double ep = em;
    double xincp = inclm;
    double argpp = argpm;
    double nodep = nodem;
    double mp = mm;
    double sinip = std::sin(inclm);
    double cosip = std::cos(inclm);
    double aycof = m_aycof;
    double xlcof = m_xlcof;
    double con41 = m_con41;
    double x1mth2 = m_x1mth2;
    double x7thm1 = m_x7thm1;
    if (m_deepSpace) {
        applyPeriodics(ep, xincp, nodep, argpp, mp, t);
        if (xincp < 0.0) {
            xincp = -xincp;
            nodep = nodep + kPi;
            argpp = argpp - kPi;
        }
        if (ep < 0.0 || ep > 1.0) {
            out.error = Sgp4Error::PerturbedElements;
            return out;
        }
        sinip = std::sin(xincp);
        cosip = std::cos(xincp);
        aycof = -0.5 * kJ3oJ2 * sinip;
        const double den = std::fabs(cosip + 1.0) > kTemp4 ? 1.0 + cosip : kTemp4;
        xlcof = -0.25 * kJ3oJ2 * sinip * (3.0 + 5.0 * cosip) / den;
        const double cosisq = cosip * cosip;
        con41 = 3.0 * cosisq - 1.0;
        x1mth2 = 1.0 - cosisq;
        x7thm1 = 7.0 * cosisq - 1.0;
    }

    // Long-period periodics.
    const double axnl = ep * std::cos(argpp);
    double temp = 1.0 / (am * (1.0 - ep * ep));
    const double aynl = ep * std::sin(argpp) + temp * aycof;
    const double xl = mp + argpp + nodep + temp * xlcof * axnl;

    // Kepler's equation in the form of the model (at most ten Newton steps).
    const double u = std::fmod(xl - nodep, kTwoPi);
    double eo1 = u;
    double tem5 = 9999.9;
    double sineo1 = 0.0;
    double coseo1 = 0.0;
    for (int ktr = 1; std::fabs(tem5) >= 1.0e-12 && ktr <= 10; ++ktr) {
        sineo1 = std::sin(eo1);
        coseo1 = std::cos(eo1);
        tem5 = 1.0 - coseo1 * axnl - sineo1 * aynl;
        tem5 = (u - aynl * coseo1 + axnl * sineo1 - eo1) / tem5;
        if (std::fabs(tem5) >= 0.95)
            tem5 = tem5 > 0.0 ? 0.95 : -0.95;
        eo1 = eo1 + tem5;
    }

    // Short-period periodics.
    const double ecose = axnl * coseo1 + aynl * sineo1;
    const double esine = axnl * sineo1 - aynl * coseo1;
    const double el2 = axnl * axnl + aynl * aynl;
    const double pl = am * (1.0 - el2);
    if (pl < 0.0) {
        out.error = Sgp4Error::SemiLatusRectum;
        return out;
    }
    const double rl = am * (1.0 - ecose);
    const double rdotl = std::sqrt(am) * esine / rl;
    const double rvdotl = std::sqrt(pl) / rl;
    const double betal = std::sqrt(1.0 - el2);
    temp = esine / (1.0 + betal);
    const double sinu = am / rl * (sineo1 - aynl - axnl * temp);
    const double cosu = am / rl * (coseo1 - axnl + aynl * temp);
    double su = std::atan2(sinu, cosu);
    const double sin2u = (cosu + cosu) * sinu;
    const double cos2u = 1.0 - 2.0 * sinu * sinu;
    temp = 1.0 / pl;
    const double temp1 = 0.5 * kJ2 * temp;
    const double temp2 = temp1 * temp;

    const double mrt = rl * (1.0 - 1.5 * temp2 * betal * con41) + 0.5 * temp1 * x1mth2 * cos2u;
    su = su - 0.25 * temp2 * x7thm1 * sin2u;
    const double xnode = nodep + 1.5 * temp2 * cosip * sin2u;
    const double xinc = xincp + 1.5 * temp2 * cosip * sinip * cos2u;
    const double mvt = rdotl - nm * temp1 * x1mth2 * sin2u / kXke;
    const double rvdot = rvdotl + nm * temp1 * (x1mth2 * cos2u + 1.5 * con41) / kXke;

    // Orientation vectors and the state in TEME.
    const double sinsu = std::sin(su);
    const double cossu = std::cos(su);
    const double snod = std::sin(xnode);
    const double cnod = std::cos(xnode);
    const double sini = std::sin(xinc);
    const double cosi = std::cos(xinc);
    const double xmx = -snod * cosi;
    const double xmy = cnod * cosi;
    const Vec3 uvec{xmx * sinsu + cnod * cossu, xmy * sinsu + snod * cossu, sini * sinsu};
    const Vec3 vvec{xmx * cossu - cnod * sinsu, xmy * cossu - snod * sinsu, sini * cossu};

    out.position = uvec * (mrt * kEarthRadiusKm);
    out.velocity = (uvec * mvt + vvec * rvdot) * vkmpersec;
    if (mrt < 1.0)
        out.error = Sgp4Error::Decayed;
    return out;
}

} // namespace vm::orbit
