// The records of a typed-in contact for the Windows logging program and the
// version check before they are sent.
#include "logbook/HamlogLink.h"

#include <gtest/gtest.h>

using namespace vm;

TEST(HamlogEntry, FieldsInOrderWithRemarksSlotsAndEmptyFieldsLeftOut)
{
    Qso qso;
    qso.call = " 7K1XYZ ";
    qso.mode = "USB";
    qso.txHz = 145950000;
    qso.rxHz = 29450000;
    qso.satName = "AO-07";
    qso.comment = " Via AO-07 ";
    const QString tags = "<SAT_NAME:5>AO-07 <SAT_MODE:1>A";
    const QList<HamlogRecord> head = {
        {0x10, ""}, {0x10001, "7K1XYZ"}, {0x10006, "145/29"}, {0x10007, "SSB"}, {0x10008, ""}};
    const QList<HamlogRecord> slot1 = {{0x1000d, "Via AO-07"}, {0x1000e, tags}};
    const QList<HamlogRecord> slot2 = {{0x1000d, tags}, {0x1000e, "Via AO-07"}};
    EXPECT_EQ(hamlog::entry(qso, false, true), head + slot1);
    EXPECT_EQ(hamlog::entry(qso, true, true), head + slot2);
    // No tags, no remarks, no call, no mode: the band pair and the code still go.
    const QList<HamlogRecord> bare = {{0x10, ""}, {0x10006, "145/29"}, {0x10008, ""}};
    Qso empty;
    empty.txHz = qso.txHz;
    empty.rxHz = qso.rxHz;
    EXPECT_EQ(hamlog::entry(empty, false, false), bare);
}

TEST(HamlogEntry, VersionDecidesTheLinkState)
{
    const struct {
        const char *version;
        int number;
        int state;
    } cases[] = {
        {"4.9.1.0", 491, hamlog::Ready}, {"5.3.0", 530, hamlog::Ready}, {"4.9.0.7", 490, hamlog::NotFound},
        {"4.8.9.0", 489, hamlog::Older}, {"", -1, hamlog::NotFound},    {"4.x.1", -1, hamlog::NotFound},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(hamlog::versionNumber(c.version), c.number) << c.version;
        EXPECT_EQ(hamlog::linkState(hamlog::versionNumber(c.version)), c.state) << c.version;
    }
}
