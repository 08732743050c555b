#pragma once

#include <QString>
#include <QtGlobal>

namespace vm {

inline constexpr double kSpeedOfLight = 299792458.0;

// Doppler shift of frequency f (Hz) for range rate rr (m/s, positive when the
// satellite recedes): -rr * f / c, rounded to the nearest hertz, halves to even.
qint32 doppler(double rangeRate, double frequency);

// How a linear transponder maps its uplink G to its downlink F, all at the
// satellite. K is the transponder constant of the satellite table.
//   inverting:              F = K - G
//   non-inverting, "TXH":   F = G - K   (uplink above downlink)
//   non-inverting, "RXH":   F = G + K   (downlink above uplink)
//
// The dials relate to the satellite by one convention throughout:
//   receive:  a downlink signal at F is heard at dial F + d(F);
//   transmit: dial T arrives at the satellite at T + d(T).
// Our own signal is placed on the downlink M hertz above what the receive dial
// hears, for every transponder type, so offsets are subtracted from the uplink
// of an inverting transponder and added for a non-inverting one.
class Transponder {
public:
    enum class Type { Inverting, TxHigh, RxHigh };

    Transponder() = default;
    Transponder(double constant, Type type) : m_k(constant), m_type(type) {}

    // "", "TXH" or "RXH", as the satellite table's derived NonRev field holds it.
    static Type typeFromText(const QString &nonRev);

    double constant() const { return m_k; }
    Type type() const { return m_type; }
    bool inverting() const { return m_type == Type::Inverting; }

    double downlinkFor(double uplink) const;
    double uplinkFor(double downlink) const;

private:
    double m_k = 0;
    Type m_type = Type::Inverting;
};

// The dial arithmetic of the control loop and of quick QSY. `rr` is the range
// rate in m/s; every function returns a dial or satellite-side frequency in Hz.
namespace dial {

// Satellite-side downlink heard by receive dial R.
double heardAt(double rr, double receiveDial);
// Transmit dial that lands our signal M (+ extra) above what receive dial R
// hears, using dT = d(currentTransmit) as the loop does.
double transmitFor(const Transponder &tp, double receiveDial, qint32 dR, qint32 dT, double offset);
// Receive dial that hears our own signal M below where transmit dial T lands it.
double receiveFor(const Transponder &tp, double transmitDial, qint32 dR, qint32 dT, double offset);

} // namespace dial

} // namespace vm
