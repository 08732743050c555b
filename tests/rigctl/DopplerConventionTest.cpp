// The physical convention, checked at the level of the running loop: over a
// simulated pass the controller moves the simulated rig's dials, and on every
// tick our own signal, sent from the transmit dial through the transponder,
// must come down where the receive dial listens, offset M apart.
//
// The satellite side is computed here from first principles, not with the
// controller's own helpers: a dial T arrives at the satellite at T + d(T), a
// downlink F is heard at F + d(F), and the transponder maps uplink G to
// downlink K - G (inverting), G - K ("TXH") or G + K ("RXH").

#include "ControllerFixture.h"
#include "rigctl/Doppler.h"

#include <cmath>

using namespace vm;
using namespace vm::test;
using Side = vm::sim::IcomRig::Side;

namespace {

struct Sat {
    const char *name;
    double k;
    int kind; // 0 inverting, 1 uplink above downlink, 2 downlink above uplink
};

// From the test table's kHz values.
const Sat Satellites[] = {
    {"RS-44", (145935.0 + 435610.0 + 60.0) * 1000, 0},
    {"TXH-1", (435100.0 - 145900.0) * 1000, 1},
    {"RXH-1", (435700.0 - 145900.0) * 1000, 2},
};

double shift(double rr, double f)
{
    return std::nearbyint(-rr * f / 299792458.0);
}

double downlinkOf(const Sat &s, double uplink)
{
    switch (s.kind) {
    case 0:
        return s.k - uplink;
    case 1:
        return uplink - s.k;
    default:
        return uplink + s.k;
    }
}

// A pass: receding fast, overhead, approaching fast.
QList<float> passRangeRates()
{
    QList<float> out;
    for (int i = 0; i <= 24; ++i)
        out << float(6800.0 - i * 566.6);
    return out;
}

class DopplerConvention : public ControllerFixture {
protected:
    // Our signal's downlink minus the downlink the receive dial hears.
    double ownSignalOffset(const Sat &s, float rr)
    {
        const double T = double(subHz());
        const double R = double(mainHz());
        const double ownDownlink = downlinkOf(s, T + shift(rr, T));
        const double heard = R - shift(rr, R);
        return ownDownlink - heard;
    }
};

} // namespace

// Our own signal stays offset M from the receive dial in every state, and
// the beacon (state 5) is heard at its base less the offset.
TEST_F(DopplerConvention, OwnSignalStaysOffsetMFromTheReceiveDialInEveryStateAndTransponderType)
{
    for (const Sat &s : Satellites) {
        for (int state : {0, 1, 2, 5}) {
            const QString what = QStringLiteral("%1 state %2").arg(QString::fromLatin1(s.name)).arg(state);
            Controller &c = started();
            track(QString::fromLatin1(s.name), 0);
            const double b0 = double(mainHz()) + 7000;
            send(QStringLiteral("RCMBCF%1").arg(qint64(b0)));
            send("RCMOFF150");
            send(QStringLiteral("RCMDOP%1").arg(state));
            int tick = 0;
            for (float rr : passRangeRates()) {
                sources.state->rangeRate = rr;
                if (state == 2 && tick == 12)
                    send("RCMOFF-230"); // through state 8 and back to 2
                c.tick1();
                ++tick;
                const double B = double(mainHz());
                EXPECT_NEAR(state == 5 ? B - shift(rr, B) - b0 : ownSignalOffset(s, c.rangeRate()),
                            state == 5 ? -150 : c.offsetO(), 1.0)
                    << what.toStdString() << " rr " << rr << " tick " << tick;
            }
            EXPECT_EQ(c.dopplerState(), state) << what.toStdString();
            controller.reset();
        }
    }
}

TEST_F(DopplerConvention, QuickQsyPlacesTheOtherDialOnTheSameConvention)
{
    for (const Sat &s : Satellites) {
        for (int side : {0, 1}) {
            Controller &c = started();
            track(QString::fromLatin1(s.name), 5200);
            send("RCMOFF120");
            send(side == 0 ? "RCMDOP0" : "RCMDOP2");
            send(QStringLiteral("RCMQSM%1").arg(side));
            // Move the given dial 3 kHz up; the other must follow it.
            const qint64 given = side == 0 ? subHz() + 3000 : mainHz() + 3000;
            send(QStringLiteral("RCMQSY%1").arg(given));
            EXPECT_EQ(side == 0 ? subHz() : mainHz(), given) << s.name;
            EXPECT_NEAR(ownSignalOffset(s, 5200), 120, 1.0) << s.name << " side " << side;
            Q_UNUSED(c)
            controller.reset();
        }
    }
}
