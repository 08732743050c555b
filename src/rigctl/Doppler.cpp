#include "rigctl/Doppler.h"

#include <cmath>

namespace vm {

qint32 doppler(double rangeRate, double frequency)
{
    const double shift = -rangeRate * frequency / kSpeedOfLight;
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<qint32>(std::nearbyint(shift));
}

Transponder::Type Transponder::typeFromText(const QString &nonRev)
{
    if (nonRev == QLatin1String("TXH"))
        return Type::TxHigh;
    if (nonRev == QLatin1String("RXH"))
        return Type::RxHigh;
    return Type::Inverting;
}

double Transponder::downlinkFor(double uplink) const
{
    switch (m_type) {
    case Type::Inverting:
        return m_k - uplink;
    case Type::TxHigh:
        return uplink - m_k;
    case Type::RxHigh:
        return uplink + m_k;
    }
    return 0;
}

double Transponder::uplinkFor(double downlink) const
{
    switch (m_type) {
    case Type::Inverting:
        return m_k - downlink;
    case Type::TxHigh:
        return downlink + m_k;
    case Type::RxHigh:
        return downlink - m_k;
    }
    return 0;
}

namespace dial {

double heardAt(double rr, double receiveDial)
{
    return receiveDial - doppler(rr, receiveDial);
}

double transmitFor(const Transponder &tp, double receiveDial, qint32 dR, qint32 dT, double offset)
{
    return tp.uplinkFor(receiveDial - dR + offset) - dT;
}

double receiveFor(const Transponder &tp, double transmitDial, qint32 dR, qint32 dT, double offset)
{
    return tp.downlinkFor(transmitDial + dT) - offset + dR;
}

} // namespace dial

} // namespace vm
