#include "panel/CwMessage.h"

#include <gtest/gtest.h>

using namespace vm;
using namespace vm::cw;

TEST(CwMessage, MacrosGreetByTheHourAndFillTheCall)
{
    const std::pair<int, const char *> hours[] = {{3, "GE"},  {4, "GM"},  {11, "GM"},
                                                  {12, "GA"}, {16, "GA"}, {17, "GE"}};
    for (const auto &[hour, greeting] : hours)
        EXPECT_EQ(expandMacros("#G #G", hour, "X"), QString("%1 %1").arg(greeting)) << hour;
    EXPECT_EQ(expandMacros("#C 599", 9, ""), "R 599");
    EXPECT_EQ(expandMacros("#C 599", 9, "JA1XYZ"), "JA1XYZ 599");
}

TEST(CwMessage, PayloadPerFamily)
{
    EXPECT_EQ(keyingFamily(0, "IC9700", "None"), KeyingFamily::IcomHex);
    EXPECT_EQ(keyingFamily(0, "IC7100", "None"), KeyingFamily::None);
    EXPECT_EQ(keyingFamily(3, "IC9700", "FT991"), KeyingFamily::YaesuMemory);
    EXPECT_EQ(keyingFamily(1, "TS2000", "TS2000"), KeyingFamily::None);

    EXPECT_EQ(keyingPayload(KeyingFamily::KenwoodText, 1, "CQ"), "KY CQ" + QString(22, ' ') + ";L=2");
    EXPECT_EQ(keyingPayload(KeyingFamily::KenwoodText, 1, QString(25, 'E')), "");
    EXPECT_EQ(keyingPayload(KeyingFamily::YaesuMemory, 3, "CQ"), "KM3CQ};L=3");
    EXPECT_EQ(memoryPayload(KeyingFamily::YaesuMemory, 3, "CQ"), "B4KM3CQ};L=3");
    EXPECT_EQ(memoryPayload(KeyingFamily::IcomHex, 3, "CQ"), "");
    EXPECT_EQ(keyingPayload(KeyingFamily::IcomHex, 1, "CQ "), "435120;L=3");
    const QString long31 = QString(30, 'E') + "T";
    EXPECT_EQ(keyingPayload(KeyingFamily::IcomHex, 1, long31),
              QString(30, 'E').toLatin1().toHex().toUpper() + ";L=30");
    EXPECT_EQ(keyingPayload(KeyingFamily::None, 1, "CQ"), "");
}

TEST(CwMessage, EditorKeepsTheKeyableCharactersWithinTheLimit)
{
    EXPECT_EQ(editorText("cq de ja1xyz/p ? <&>_é", 0), "CQ DE JA1XYZ/P ? ");
    EXPECT_EQ(editorText(QString(40, 'A'), editorLimit(KeyingFamily::KenwoodText)).size(), 24);
    EXPECT_EQ(editorText(QString(40, 'A'), editorLimit(KeyingFamily::IcomHex)).size(), 30);
    EXPECT_EQ(editorLimit(KeyingFamily::None), 0);
    const ButtonLook empty = buttonLook(2, "");
    EXPECT_EQ(std::tie(empty.caption, empty.colour, empty.centred),
              std::make_tuple(QString("CM2"), 0xFF0000, true));
    EXPECT_EQ(buttonLook(1, "CQ CQ").caption, "CQ_CQ");
}
