#include "rigctl/SettingsFormRules.h"

#include <gtest/gtest.h>

using namespace vm;
using namespace vm::settingsForm;

TEST(SettingsFormRules, CivAddressTyping)
{
    const struct {
        const char *text;
        int caret;
        const char *typed;
        bool overwrite;
        const char *result;
        int caretAfter;
    } cases[] = {
        {"", 0, "a", false, "A", 1},    {"A", 1, "2", false, "A2", 2}, {"A2", 0, "9", true, "92", 1},
        {"A2", 0, "9", false, "9A", 1}, {"A", 1, "-", false, "A", 1},  {"", 0, "ä", false, "", 0},
    };
    for (const auto &c : cases) {
        const CivEdit e = typeCivAddress(c.text, c.caret, QString::fromUtf8(c.typed), c.overwrite);
        EXPECT_EQ(e.text, c.result) << c.text << "+" << c.typed;
        EXPECT_EQ(e.caret, c.caretAfter) << c.text << "+" << c.typed;
    }
    EXPECT_EQ(filterCivAddress(" 9a-x"), "9A");
}

TEST(SettingsFormRules, TrackingWarningNamesTheProgram)
{
    EXPECT_EQ(trackingWarning("2"), "この設定画面を終える前にOrnikを起動してください");
    EXPECT_TRUE(trackingWarning("4").isEmpty());
}

TEST(SettingsFormRules, StationIsCheckedAndShownBothWays)
{
    const struct {
        const char *lat, *lon, *height;
        bool ok;
    } latLon[] = {{"35.6", "139.7", "40", true},
                  {"91", "0", "", false},
                  {"0", "181", "", false},
                  {"x", "0", "", false},
                  {"0", "0", "99999", false}};
    for (const auto &c : latLon) {
        const StationResult r = stationFromLatLon(c.lat, c.lon, c.height);
        EXPECT_EQ(r.station.has_value(), c.ok) << c.lat << "," << c.lon << "," << c.height;
        EXPECT_EQ(r.error.isEmpty(), c.ok);
    }
    for (const char *locator : {"PM95vq", "JO01aa", "AA00aa", "RR99xx", "FN31pr"}) {
        const StationResult r = stationFromLocator(locator, "");
        ASSERT_TRUE(r.station) << locator;
        EXPECT_EQ(r.station->locator, locator);
        EXPECT_EQ(stationFromLatLon(QString::number(r.station->latitudeDeg),
                                    QString::number(r.station->longitudeDeg), "")
                      .station->locator,
                  locator);
    }
    EXPECT_FALSE(stationFromLocator("PM9", "").station);
    EXPECT_FALSE(stationFromLocator("ZZ95", "").station);
}

TEST(SettingsFormRules, ButtonColours)
{
    // The yellow sound button and the caption for Rem2: SettingsWindow.EachControlWritesItsSettingAtOnce.
    EXPECT_EQ(soundButtonColour("a.wav", "HWCVmail.exe"), 0xC0FFC0u);
    EXPECT_EQ(loggerButtonColour("/home/op/.wine/drive_c/Hamlog/hamlogw.exe"), 0xC0FFC0u);
    EXPECT_FALSE(loggerButtonColour("/usr/bin/cqrlog"));
    EXPECT_TRUE(adifCaption("Rem1").contains("Rem2"));
}
