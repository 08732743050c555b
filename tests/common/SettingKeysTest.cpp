#include "common/SettingKeys.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

using vm::SettingKey;
namespace keys = vm::keys;

TEST(SettingKeys, EachKeyIsDeclaredOnce)
{
    QSet<QString> seen;
    for (const SettingKey *k : keys::all()) {
        const QString id = k->sectionName().toLower() + u'/' + k->keyName().toLower();
        EXPECT_FALSE(seen.contains(id)) << id.toStdString();
        seen.insert(id);
    }
    EXPECT_TRUE(seen.contains("hamlogpos/hamlogの場所"));
}

// What a stored value reads as: numbers, clamps, choices and flags fall back
// to the key's default when the stored text does not fit.
TEST(SettingKeys, StoredValuesAreNormalised)
{
    struct Case {
        const SettingKey &key;
        const char *stored; // nullptr: the key is missing
        const char *expected;
    };
    // clang-format off
    const Case cases[] = {
        {keys::PollTime, nullptr, "1000"}, {keys::PollTime, "20", "50"},     {keys::PollTime, "abc", "1000"},
        {keys::PollTime, " 250 ", "250"},  {keys::Ftc, "x", "25"},           {keys::ModeOffset, "-300", "-300"},
        {keys::CfgPosTop, "1234.5", "1234.5"}, {keys::SplitF, "nan", "0"},   {keys::StartUpMode, "CW", "CW"},
        {keys::StartUpMode, "cw", "SSB"},  {keys::BaudRate, "12345", "9600"}, {keys::RemPos, "Rem3", "Rem1"},
        {keys::UseDde, "2", "1"},          {keys::RigType, " ", "None"},
        {keys::IcomRigAdrs, "RIG_CON_CFG", "00"},
        {keys::IcomRigAdrs, "a2", "a2"},   {keys::IcomRigAdrs, "A", "0A"},   {keys::IcomRigAdrs, "ZZ", "00"},
        {keys::LMF, "0435", "04"},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key.keyName().toStdString() + " = " + (c.stored ? c.stored : "<missing>"));
        const std::optional<QString> stored =
            c.stored ? std::optional<QString>(QString::fromUtf8(c.stored)) : std::nullopt;
        EXPECT_EQ(c.key.normalise(stored), QString::fromUtf8(c.expected));
    }
    EXPECT_EQ(keys::PollTime.normalise("1e99"), QString::number(std::numeric_limits<int>::max()));
}

TEST(SettingKeys, ResponseWaitFromBaudRateDoubledForTheIc821)
{
    EXPECT_EQ(keys::responseWaitMs("1200", "IC9700"), 200);
    EXPECT_EQ(keys::responseWaitMs("115200", "IC9100"), 40);
    EXPECT_EQ(keys::responseWaitMs("1200", "IC821"), 400);
}

} // namespace
