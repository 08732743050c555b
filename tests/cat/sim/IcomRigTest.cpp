#include "rigsim/IcomRig.h"
#include "rigsim/CivCodec.h"
#include "rigsim/IcomModel.h"

#include <gtest/gtest.h>

using namespace vm::sim;
using Side = IcomRig::Side;

namespace {

using vm::sim::civ::bytes;

const IcomModel &model(const char *id)
{
    const IcomModel *m = IcomModel::find(QString::fromLatin1(id));
    if (!m)
        throw std::runtime_error(std::string("no simulated model ") + id);
    return *m;
}

// A rig and a controller at E0 talking to it over the echoing bus.
struct Bus {
    explicit Bus(const char *id) : rig(model(id)) {}

    QByteArray frame(const QByteArray &body) const { return civ::frame(rig.address(), 0xE0, body); }

    // Sends a command; checks the echo and returns only the rig's answer.
    QByteArray send(const QByteArray &body)
    {
        const QByteArray out = frame(body);
        const QByteArray back = rig.feed(out);
        EXPECT_EQ(back.left(out.size()), out) << "echo of " << civ::hex(out).toStdString();
        return back.mid(out.size());
    }
    QByteArray answer(const QByteArray &body) const { return civ::frame(0xE0, rig.address(), body); }
    QByteArray ok() const { return answer(QByteArray(1, char(civ::Ok))); }
    QByteArray ng() const { return answer(QByteArray(1, char(civ::Ng))); }

    IcomRig rig;
};

} // namespace

TEST(IcomModelTable, FactoryAddressesAndLookup)
{
    const std::pair<const char *, int> expected[] = {{"IC9700", 0xA2}, {"IC9100", 0x7C}, {"IC910", 0x60},
                                                     {"IC821", 0x4C},  {"IC705", 0xA4},  {"IC7100", 0x88},
                                                     {"IC905", 0xAC}};
    for (const auto &[id, address] : expected)
        EXPECT_EQ(model(id).address, address) << id;
    EXPECT_EQ(IcomModel::find("ic9700"), IcomModel::find("IC9700"));
    EXPECT_EQ(IcomModel::find("FT817"), nullptr);
    for (const char *id : {"IC9700", "IC910", "IC911", "IC9100", "IC821", "IC705", "IC7100", "IC905", "ICOM"})
        EXPECT_NE(IcomModel::find(id), nullptr) << id;
}

TEST(IcomRig, ReadFrequencyAnswersAfterTheEchoAddressedToTheController)
{
    Bus bus("IC9700");
    ASSERT_TRUE(bus.rig.turnDial(Side::Sub, 435'800'000));
    EXPECT_EQ(bus.send(bytes({0x07, 0xB0})), bus.ok()); // exchange: 435.8 MHz is now main
    // The answer the controller's pattern search looks for: FE FE E0 A2 03 00 00 80 35 04 FD.
    EXPECT_EQ(bus.send(bytes({0x03})),
              bytes({0xFE, 0xFE, 0xE0, 0xA2, 0x03, 0x00, 0x00, 0x80, 0x35, 0x04, 0xFD}));
}

TEST(IcomRig, ReplyLengthsIncludingEchoMatchWhatTheControllerReads)
{
    // Echo + answer byte counts the controller waits for, per read command.
    struct Case {
        const char *model;
        QByteArray body;
        int expected;
    };
    const Case cases[] = {
        {"IC9700", bytes({0x03}), 17},
        {"IC9700", bytes({0x04}), 14},
        {"IC9700", bytes({0x1A, 0x06}), 16},
        {"IC9700", bytes({0x16, 0x22}), 15},
        {"IC9700", bytes({0x16, 0x40}), 15},
        {"IC9700", bytes({0x14, 0x0C}), 16},
        {"IC9700", bytes({0x1A, 0x05, 0x01, 0x27}), 19},
        {"IC9100", bytes({0x1A, 0x05, 0x00, 0x58}), 19},
        {"IC910", bytes({0x03}), 17},
        {"IC821", bytes({0x04}), 14},
        {"IC705", bytes({0x16, 0x22}), 15},
    };
    for (const Case &c : cases) {
        IcomRig rig(model(c.model));
        const QByteArray out = civ::frame(rig.address(), 0xE0, c.body);
        EXPECT_EQ(rig.feed(out).size(), c.expected) << c.model << " " << civ::hex(c.body).toStdString();
    }
    // The IC-910 keyer speed: its two data bytes are bytes 14 and 15 of the read.
    IcomRig ic910(model("IC910"));
    const QByteArray back = ic910.feed(civ::frame(0x60, 0xE0, bytes({0x14, 0x0C})));
    EXPECT_EQ(back.mid(13, 2), civ::encodeBcd(ic910.keyerLevel(), 2));
}

TEST(IcomRig, FramesForAnotherAddressAreOnlyEchoed)
{
    Bus bus("IC9700");
    const qint64 before = bus.rig.dial(Side::Main).hz;
    const QByteArray other = civ::frame(0x7C, 0xE0, bytes({0x05, 0x00, 0x00, 0x95, 0x45, 0x01}));
    EXPECT_EQ(bus.rig.feed(other), other);
    EXPECT_EQ(bus.rig.dial(Side::Main).hz, before);
    // The rig's own answers seen on the bus are not commands either.
    const QByteArray own = civ::frame(0xE0, 0xA2, bytes({0xFB}));
    EXPECT_EQ(bus.rig.feed(own), own);
    ASSERT_EQ(bus.rig.commands().size(), 2);
    EXPECT_FALSE(bus.rig.commands().at(0).addressed);
    EXPECT_EQ(bus.rig.commands().at(0).to, 0x7C);
}

TEST(IcomRig, ConfiguredAddressReplacesTheFactoryOne)
{
    IcomRig rig(model("IC9700"), 0x70);
    EXPECT_EQ(rig.feed(civ::frame(0xA2, 0xE0, bytes({0x03}))).size(), 6); // echo only
    EXPECT_EQ(rig.feed(civ::frame(0x70, 0xE0, bytes({0x03}))).size(), 17);
}

TEST(IcomRig, SetFrequencyOkAndNg)
{
    Bus bus("IC9700");
    EXPECT_EQ(bus.send(bytes({0x05, 0x00, 0x00, 0x95, 0x45, 0x01})), bus.ok());
    EXPECT_EQ(bus.rig.dial(Side::Main).hz, 145'950'000);
    // Outside the rig's bands, malformed BCD, wrong length: NG and nothing changes.
    EXPECT_EQ(bus.send(bytes({0x05, 0x00, 0x00, 0x10, 0x05, 0x00})), bus.ng()); // 50.1 MHz
    EXPECT_EQ(bus.send(bytes({0x05, 0x0A, 0x00, 0x95, 0x45, 0x01})), bus.ng());
    EXPECT_EQ(bus.send(bytes({0x05, 0x00, 0x95, 0x45, 0x01})), bus.ng());
    EXPECT_EQ(bus.rig.dial(Side::Main).hz, 145'950'000);
    // An unknown command is refused.
    EXPECT_EQ(bus.send(bytes({0x99})), bus.ng());
    EXPECT_EQ(bus.rig.commands().last().answer, ReceivedCommand::Answer::Ng);
}

TEST(IcomRig, MainAndSubBandSelectionAndExchange)
{
    Bus bus("IC9700");
    const qint64 main = bus.rig.dial(Side::Main).hz;
    const qint64 sub = bus.rig.dial(Side::Sub).hz;
    EXPECT_EQ(bus.send(bytes({0x07, 0xD1})), bus.ok());
    EXPECT_EQ(bus.rig.selectedBand(), Side::Sub);
    EXPECT_EQ(bus.send(bytes({0x03})), bus.answer(bytes({0x03}) + civ::encodeFrequency(sub)));
    EXPECT_EQ(bus.send(bytes({0x07, 0xD2})), bus.answer(bytes({0x07, 0xD2, 0x01})));
    EXPECT_EQ(bus.send(bytes({0x07, 0xD2, 0x00})), bus.ok());
    EXPECT_EQ(bus.rig.selectedBand(), Side::Main);
    EXPECT_EQ(bus.send(bytes({0x07, 0xB0})), bus.ok());
    EXPECT_EQ(bus.rig.dial(Side::Main).hz, sub);
    EXPECT_EQ(bus.rig.dial(Side::Sub).hz, main);
    // Main and sub never share a band: 435 MHz on main while sub sits on 435 MHz is refused.
    EXPECT_EQ(bus.send(bytes({0x07, 0xD1})), bus.ok());
    EXPECT_EQ(bus.send(bytes({0x05}) + civ::encodeFrequency(436'000'000)), bus.ng());
    EXPECT_EQ(bus.send(bytes({0x05}) + civ::encodeFrequency(145'900'000)), bus.ok());
}

TEST(IcomRig, SingleBandRigsHaveNoBandSelection)
{
    Bus bus("IC705");
    EXPECT_EQ(bus.send(bytes({0x07, 0xD0})), bus.ng());
    EXPECT_EQ(bus.send(bytes({0x07, 0xD2, 0x00})), bus.ng());
    // 07 B0 exchanges VFO A and B instead.
    ASSERT_TRUE(bus.rig.turnDial(Side::Sub, 145'900'000));
    const qint64 a = bus.rig.dial(Side::Main).hz;
    EXPECT_EQ(bus.send(bytes({0x07, 0xB0})), bus.ok());
    EXPECT_EQ(bus.rig.dial(Side::Main).hz, 145'900'000);
    EXPECT_EQ(bus.rig.dial(Side::Sub).hz, a);
}

TEST(IcomRig, SatelliteModeByModel)
{
    Bus ic9700("IC9700");
    EXPECT_EQ(ic9700.send(bytes({0x16, 0x5A, 0x01})), ic9700.ok());
    EXPECT_TRUE(ic9700.rig.satelliteMode());
    EXPECT_EQ(ic9700.send(bytes({0x16, 0x5A})), ic9700.answer(bytes({0x16, 0x5A, 0x01})));
    EXPECT_EQ(ic9700.send(bytes({0x16, 0x5A, 0x00})), ic9700.ok());
    EXPECT_FALSE(ic9700.rig.satelliteMode());

    Bus ic910("IC910");
    EXPECT_EQ(ic910.send(bytes({0x1A, 0x07, 0x01})), ic910.ok());
    EXPECT_TRUE(ic910.rig.satelliteMode());
    EXPECT_EQ(ic910.send(bytes({0x16, 0x5A, 0x01})), ic910.ng());

    Bus ic705("IC705");
    EXPECT_EQ(ic705.send(bytes({0x16, 0x5A, 0x01})), ic705.ng());
    EXPECT_FALSE(ic705.rig.satelliteMode());
}

TEST(IcomRig, SelectedAndUnselectedVfoFrequencyAndMode)
{
    Bus bus("IC9700");
    EXPECT_EQ(bus.send(bytes({0x07, 0xB0})), bus.ok()); // main on 435 MHz
    EXPECT_EQ(bus.send(bytes({0x25, 0x00}) + civ::encodeFrequency(435'600'000)), bus.ok());
    EXPECT_EQ(bus.send(bytes({0x25, 0x01}) + civ::encodeFrequency(435'650'000)), bus.ok());
    EXPECT_EQ(bus.rig.vfo(Side::Main, 0).hz, 435'600'000);
    EXPECT_EQ(bus.rig.vfo(Side::Main, 1).hz, 435'650'000);
    EXPECT_EQ(bus.send(bytes({0x25, 0x01})),
              bus.answer(bytes({0x25, 0x01}) + civ::encodeFrequency(435'650'000)));
    // 26: mode USB, data on, filter 2.
    EXPECT_EQ(bus.send(bytes({0x26, 0x01, 0x01, 0x01, 0x02})), bus.ok());
    const VfoState b = bus.rig.vfo(Side::Main, 1);
    EXPECT_EQ(b.mode, 0x01);
    EXPECT_EQ(b.dataMode, 0x01);
    EXPECT_EQ(b.filter, 0x02);
    EXPECT_EQ(bus.send(bytes({0x26, 0x01})), bus.answer(bytes({0x26, 0x01, 0x01, 0x01, 0x02})));
    EXPECT_EQ(bus.send(bytes({0x26, 0x00, 0x42, 0x00, 0x01})), bus.ng()); // no such mode

    Bus ic9100("IC9100");
    EXPECT_EQ(ic9100.send(bytes({0x25, 0x00}) + civ::encodeFrequency(145'900'000)), ic9100.ng());
}

TEST(IcomRig, ModeFilterAndDataMode)
{
    Bus bus("IC9700");
    EXPECT_EQ(bus.send(bytes({0x06, 0x03, 0x02})), bus.ok());
    EXPECT_EQ(bus.send(bytes({0x04})), bus.answer(bytes({0x04, 0x03, 0x02})));
    EXPECT_EQ(bus.send(bytes({0x06, 0x06})), bus.ng()); // no wide FM on the IC-9700
    EXPECT_EQ(bus.send(bytes({0x1A, 0x06, 0x01, 0x01})), bus.ok());
    EXPECT_EQ(bus.send(bytes({0x1A, 0x06})), bus.answer(bytes({0x1A, 0x06, 0x01, 0x01})));
    EXPECT_EQ(bus.send(bytes({0x1A, 0x06, 0x00, 0x00})), bus.ok());
    EXPECT_EQ(bus.rig.dial(Side::Main).dataMode, 0);

    Bus ic910("IC910");
    EXPECT_EQ(ic910.send(bytes({0x1A, 0x06, 0x01, 0x01})), ic910.ng());
}

TEST(IcomRig, FunctionsToneKeyerAndRit)
{
    Bus bus("IC9700");
    EXPECT_EQ(bus.send(bytes({0x16, 0x22, 0x01})), bus.ok());
    EXPECT_EQ(bus.send(bytes({0x16, 0x22})), bus.answer(bytes({0x16, 0x22, 0x01})));
    EXPECT_EQ(bus.send(bytes({0x16, 0x40})), bus.answer(bytes({0x16, 0x40, 0x00})));
    EXPECT_EQ(bus.send(bytes({0x16, 0x42, 0x05})), bus.ng());

    // Tone as two BCD bytes (rig 1 form) or three with a leading 00 (rig 2 form).
    EXPECT_EQ(bus.send(bytes({0x1B, 0x00, 0x06, 0x70})), bus.ok());
    EXPECT_EQ(bus.rig.toneTenthsHz(), 670);
    EXPECT_EQ(bus.send(bytes({0x1B, 0x00, 0x00, 0x08, 0x85})), bus.ok());
    EXPECT_EQ(bus.send(bytes({0x1B, 0x00})), bus.answer(bytes({0x1B, 0x00, 0x00, 0x08, 0x85})));

    EXPECT_EQ(bus.send(bytes({0x14, 0x0C, 0x01, 0x28})), bus.ok());
    EXPECT_EQ(bus.rig.keyerLevel(), 128);
    EXPECT_EQ(bus.send(bytes({0x14, 0x0C, 0x02, 0x56})), bus.ng()); // above 255

    // RIT -120 Hz travels as 21 00 20 01 01.
    EXPECT_EQ(bus.send(bytes({0x21, 0x00, 0x20, 0x01, 0x01})), bus.ok());
    EXPECT_EQ(bus.rig.ritOffsetHz(), -120);
    EXPECT_EQ(bus.send(bytes({0x21, 0x00})), bus.answer(bytes({0x21, 0x00, 0x20, 0x01, 0x01})));
    EXPECT_EQ(bus.send(bytes({0x21, 0x01, 0x01})), bus.ok());
    EXPECT_TRUE(bus.rig.ritOn());

    Bus ic9100("IC9100");
    EXPECT_EQ(ic9100.send(bytes({0x21, 0x01, 0x01})), ic9100.ng());
}

TEST(IcomRig, RigSettingsAreSavedAndRestored)
{
    Bus bus("IC9700");
    // CI-V transceive ships on.
    EXPECT_EQ(bus.send(bytes({0x1A, 0x05, 0x01, 0x27})), bus.answer(bytes({0x1A, 0x05, 0x01, 0x27, 0x01})));
    EXPECT_EQ(bus.send(bytes({0x1A, 0x05, 0x01, 0x27, 0x00})), bus.ok());
    EXPECT_EQ(bus.rig.setting(0x0127), QByteArray(1, '\0'));
    EXPECT_EQ(bus.send(bytes({0x1A, 0x05, 0x01, 0x27, 0x01})), bus.ok());
    EXPECT_EQ(bus.rig.setting(0x0127), QByteArray(1, '\x01'));
    // A setting number that is not BCD is refused.
    EXPECT_EQ(bus.send(bytes({0x1A, 0x05, 0x01, 0x2F})), bus.ng());
    const ReceivedCommand &restore = bus.rig.commands().at(2);
    EXPECT_EQ(restore.command, bytes({0x1A, 0x05, 0x01, 0x27}));
    EXPECT_EQ(restore.data, bytes({0x01}));
    EXPECT_EQ(restore.text(), "1A 05 01 27 01");
}

TEST(IcomRig, CwKeyingOnlyWhereTheRigHasIt)
{
    Bus bus("IC9700");
    EXPECT_EQ(bus.send(QByteArray("\x17"
                                  "CQ JA1",
                                  7)),
              bus.ok());
    EXPECT_EQ(bus.send(bytes({0x17, 0xFF})), bus.ok());
    EXPECT_EQ(bus.rig.cwSent(), QStringList({"CQ JA1", "<stop>"}));
    EXPECT_EQ(bus.send(bytes({0x17, 0x01})), bus.ng()); // not a keyable character

    Bus ic910("IC910");
    EXPECT_EQ(ic910.send(QByteArray("\x17"
                                    "CQ",
                                    3)),
              ic910.ng());
}

TEST(IcomRig, PowerOffAndOnWithPreamble)
{
    Bus bus("IC9700");
    EXPECT_EQ(bus.send(bytes({0x18, 0x00})), bus.ok());
    EXPECT_FALSE(bus.rig.powered());
    EXPECT_TRUE(bus.send(bytes({0x03})).isEmpty()); // echo only while off

    // Wake-up: nine FE bytes before the power-on frame (9600 baud).
    const QByteArray wake = QByteArray(9, char(0xFE)) + bus.frame(bytes({0x18, 0x01}));
    const QByteArray back = bus.rig.feed(wake);
    EXPECT_EQ(back.left(wake.size()), wake);
    EXPECT_EQ(back.mid(wake.size()), bus.ok());
    EXPECT_EQ(wake.size() + bus.ok().size(), 9 + 13);
    EXPECT_TRUE(bus.rig.powered());
    EXPECT_EQ(bus.rig.commands().last().preamble, 9);
    EXPECT_EQ(bus.send(bytes({0x03})).size(), 11);
}

TEST(IcomRig, NoiseAndBrokenFramesDoNotDerailTheParser)
{
    Bus bus("IC9700");
    // Noise, a frame cut off by a new preamble, a jammed frame, then a good one.
    QByteArray stream = bytes({0x12, 0xFD, 0x00});
    stream += bytes({0xFE, 0xFE, 0xA2, 0xE0, 0x05, 0x00});
    stream += bytes({0xFE, 0xFE, 0xA2, 0xE0, 0x18, 0xFC});
    const QByteArray good = bus.frame(bytes({0x04}));
    stream += good;
    const QByteArray back = bus.rig.feed(stream);
    EXPECT_EQ(back.left(stream.size()), stream);
    EXPECT_EQ(back.mid(stream.size()),
              bus.answer(bytes({0x04, bus.rig.dial(Side::Main).mode, bus.rig.dial(Side::Main).filter})));
    EXPECT_TRUE(bus.rig.powered());
    ASSERT_EQ(bus.rig.commands().size(), 1);
    EXPECT_EQ(bus.rig.commands().first().text(), "04");
}

TEST(IcomRig, FailureModes)
{
    Bus bus("IC9700");
    const QByteArray read = bus.frame(bytes({0x03}));
    const QByteArray normal = bus.rig.feed(read);

    bus.rig.setFailureMode(FailureMode::Silent);
    EXPECT_TRUE(bus.rig.feed(read).isEmpty());

    bus.rig.setFailureMode(FailureMode::Short);
    EXPECT_EQ(bus.rig.feed(read), normal.left(normal.size() - 1));

    bus.rig.setFailureMode(FailureMode::Garbage);
    const QByteArray garbage = bus.rig.feed(read);
    ASSERT_EQ(garbage.size(), normal.size());
    EXPECT_EQ(garbage.left(read.size()), read);
    for (char c : garbage.mid(read.size())) {
        EXPECT_NE(quint8(c), 0xFE);
        EXPECT_NE(quint8(c), 0xFD);
    }

    bus.rig.setFailureMode(FailureMode::RejectAll);
    EXPECT_EQ(bus.send(bytes({0x05}) + civ::encodeFrequency(145'800'000)), bus.ng());
    EXPECT_NE(bus.rig.dial(Side::Main).hz, 145'800'000);

    bus.rig.setFailureMode(FailureMode::None);
    EXPECT_EQ(bus.rig.feed(read), normal);
}

TEST(IcomRig, OperatorTurnsDialsAndChangesModes)
{
    Bus bus("IC9700");
    EXPECT_TRUE(bus.rig.turnDial(Side::Main, 145'990'000));
    EXPECT_TRUE(bus.rig.setDialMode(Side::Main, 0x05, 1));
    EXPECT_EQ(bus.send(bytes({0x03})), bus.answer(bytes({0x03}) + civ::encodeFrequency(145'990'000)));
    EXPECT_EQ(bus.send(bytes({0x04})), bus.answer(bytes({0x04, 0x05, 0x01})));
    EXPECT_FALSE(bus.rig.turnDial(Side::Main, 28'000'000));  // not a band of the IC-9700
    EXPECT_FALSE(bus.rig.turnDial(Side::Main, 436'000'000)); // the sub band's
    EXPECT_FALSE(bus.rig.setDialMode(Side::Sub, 0x17 + 0x40));
    EXPECT_EQ(bus.rig.dial(Side::Main).hz, 145'990'000);
}

TEST(IcomRig, EchoCanBeSwitchedOff)
{
    Bus bus("IC705");
    bus.rig.setEchoEnabled(false);
    const QByteArray back = bus.rig.feed(bus.frame(bytes({0x03})));
    EXPECT_EQ(back, bus.answer(bytes({0x03}) + civ::encodeFrequency(bus.rig.dial(Side::Main).hz)));
}
