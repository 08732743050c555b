#include "logbook/ContactText.h"

#include <gtest/gtest.h>

using namespace vm::contact;

TEST(ContactText, CallAreaAgainstQthCode)
{
    struct Case {
        const char *call, *code;
        bool asks;
    } cases[] = {
        {"JA1ABC/3", "2501", false}, {"JA1ABC", "2501", true}, {"7K3ABC", "1001", false},
        {"7K3ABC", "2501", true},    {"JA1ABC", "250", false}, {"W1AW", "2501", false},
        {"JH8ABC", "01001", false},  {"JA1ABC", "AB12", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(checkQthCode(c.call, c.code).has_value(), c.asks) << c.call << " " << c.code;
    EXPECT_EQ(mismatchQuestion(*checkQthCode("JA1ABC", "2501")),
              "QTHcode =25 と、局の（移動）エリア=1 が一致しません\nこのまま転送しますか？");
}

TEST(ContactText, RemarksAndSatelliteTags)
{
    EXPECT_EQ(fillRemarks("%Via #SN(Rev##RV)% #RX/#TX #rx/#tx", "AO-07", "4711", 145'950'000, 435'123'400),
              "%Via AO-07(Rev#4711)% 145.950/435.123 145/435");
    EXPECT_EQ(satelliteTags("AO-07", 145'900'000, 29'450'000), "<SAT_NAME:5>AO-07 <SAT_MODE:1>A");
    EXPECT_EQ(satelliteTags("RS-44", 435'600'000, 145'900'000), "<SAT_NAME:5>RS-44 <SAT_MODE:2>UV");
    EXPECT_EQ(satelliteTags("X", 1'268'000'000, 435'000'000), "<SAT_NAME:1>X ");
    EXPECT_EQ(loggedMode("", "LSB"), "SSB");
    EXPECT_EQ(loggedMode("RTTY", "USB"), "RTTY");
    for (const auto &[shown, logged] : {std::pair{"qpsk-U", "PSK31"},
                                        {"FSK-W", "FSK"},
                                        {"rtty-L", "RTTY"},
                                        {"mfsk-U", "MFSK"},
                                        {"GMSK", "GMSK"},
                                        {"QPSK-U", ""},
                                        {"", ""}})
        EXPECT_EQ(mmvariLoggedMode(shown), logged) << shown;
}
