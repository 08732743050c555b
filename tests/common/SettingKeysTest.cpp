#include "common/SettingKeys.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

using vm::SettingKey;
namespace keys = vm::keys;

QString norm(const SettingKey &key, const char *stored)
{
    return key.normalise(QString::fromUtf8(stored));
}

TEST(SettingKeys, EachKeyIsDeclaredOnce)
{
    QSet<QString> seen;
    for (const SettingKey *k : keys::all()) {
        const QString id = k->sectionName().toLower() + u'/' + k->keyName().toLower();
        EXPECT_FALSE(seen.contains(id)) << id.toStdString();
        seen.insert(id);
    }
    EXPECT_TRUE(seen.contains(QStringLiteral("rig_con_cfg/poll_time")));
    EXPECT_TRUE(seen.contains(QStringLiteral("hamlogpos/hamlogの場所")));
    EXPECT_TRUE(seen.contains(QStringLiteral("track/tlefile")));
}

TEST(SettingKeys, PollTimeIsAtLeast50AndNumeric)
{
    EXPECT_EQ(keys::PollTime.normalise(std::nullopt), u"1000");
    EXPECT_EQ(norm(keys::PollTime, "20"), u"50");
    EXPECT_EQ(norm(keys::PollTime, "-5"), u"50");
    EXPECT_EQ(norm(keys::PollTime, "abc"), u"1000");
    EXPECT_EQ(norm(keys::PollTime, ""), u"1000");
    EXPECT_EQ(norm(keys::PollTime, " 250 "), u"250");
    EXPECT_EQ(norm(keys::PollTime, "1e99"), QString::number(std::numeric_limits<int>::max()));
}

TEST(SettingKeys, NumericKeysFallBackToTheirDefaults)
{
    EXPECT_EQ(norm(keys::Ftc, "x"), u"25");
    EXPECT_EQ(norm(keys::AutoPowerOff, "yes"), u"0");
    EXPECT_EQ(norm(keys::ModeOffset, "-300"), u"-300");
    EXPECT_EQ(norm(keys::ModeOffset, ""), u"700");
    EXPECT_EQ(norm(keys::WavStart, "-5"), u"-5");
    EXPECT_EQ(norm(keys::CfgPosTop, "1234.5"), u"1234.5");
    EXPECT_EQ(norm(keys::CfgPosTop, "top"), u"0");
    EXPECT_EQ(norm(keys::SplitF, "nan"), u"0");
    EXPECT_EQ(keys::Height.normalise(std::nullopt), u"0");
    EXPECT_EQ(keys::Latitude.normalise(std::nullopt), u"");
}

TEST(SettingKeys, ChoicesAndFlags)
{
    EXPECT_EQ(norm(keys::StartUpMode, "CW"), u"CW");
    EXPECT_EQ(norm(keys::StartUpMode, "FM"), u"SSB");
    EXPECT_EQ(norm(keys::StartUpMode, "cw"), u"SSB");
    EXPECT_EQ(norm(keys::BaudRate, "19200"), u"19200");
    EXPECT_EQ(norm(keys::BaudRate, "12345"), u"9600");
    EXPECT_EQ(norm(keys::RemPos, "Rem3"), u"Rem1");
    EXPECT_EQ(norm(keys::UseDde, "0"), u"0");
    EXPECT_EQ(norm(keys::UseDde, "2"), u"1");
    EXPECT_EQ(keys::UseDde.normalise(std::nullopt), u"1");
    EXPECT_EQ(norm(keys::RrInp, "yes"), u"0");
    EXPECT_EQ(norm(keys::QqMode, "5"), u"1");
    EXPECT_EQ(norm(keys::QqMode, "0"), u"0");
    EXPECT_EQ(norm(keys::CalcType, ""), u"1");
    EXPECT_EQ(norm(keys::RigType, " "), u"None");
    EXPECT_EQ(norm(keys::TleFile, ""), u"nasabare.txt");
    EXPECT_EQ(keys::TrackSatellite.normalise(std::nullopt), u"");
    EXPECT_EQ(keys::RegFile.normalise(std::nullopt), u"~/.wine/user.reg");
}

TEST(SettingKeys, PortsAndAddresses)
{
    const std::optional<QString> model = QStringLiteral("IC9700");
    EXPECT_EQ(keys::RigComCont.normalise(QStringLiteral("0"), model), u"None");
    EXPECT_EQ(keys::RigComCont.normalise(std::nullopt, model), u"None");
    EXPECT_EQ(keys::RigComCont.normalise(QStringLiteral("/dev/ttyUSB0"), model), u"/dev/ttyUSB0");
    EXPECT_EQ(keys::RigComCont.normalise(QStringLiteral("/dev/ttyUSB0"), std::nullopt), u"None");

    EXPECT_EQ(keys::IcomRigAdrs.normalise(std::nullopt), u"00");
    EXPECT_EQ(norm(keys::IcomRigAdrs, "RIG_CON_CFG"), u"00"); // two-character missing test
    EXPECT_EQ(norm(keys::IcomRigAdrs, "RI"), u"00");
    EXPECT_EQ(norm(keys::IcomRigAdrs, "a2"), u"a2");
    EXPECT_EQ(norm(keys::IcomRigAdrs, "A"), u"0A");
    EXPECT_EQ(norm(keys::IcomRigAdrs, "ZZ"), u"00");
}

TEST(SettingKeys, BandDigitsAndRigConfiguration)
{
    EXPECT_EQ(norm(keys::LMF, "0435"), u"04");
    EXPECT_EQ(norm(keys::LMF, "01"), u"01");
    EXPECT_EQ(keys::LMF.normalise(std::nullopt), u"");

    const std::optional<QString> yes = QStringLiteral("Yes");
    EXPECT_EQ(keys::RigContType.normalise(std::nullopt, yes), u"3");
    EXPECT_EQ(keys::RigContType.normalise(std::nullopt, QStringLiteral("No")), u"0");
    EXPECT_EQ(keys::RigContType.normalise(QStringLiteral(""), yes), u"3");
    EXPECT_EQ(keys::RigContType.normalise(QStringLiteral("4"), yes), u"4");
    EXPECT_EQ(keys::RigContType.normalise(QStringLiteral("7"), std::nullopt), u"0");
}

TEST(SettingKeys, ResponseWaitFromBaudRate)
{
    EXPECT_EQ(keys::responseWaitMs(QStringLiteral("1200"), QStringLiteral("IC9700")), 200);
    EXPECT_EQ(keys::responseWaitMs(QStringLiteral("4800"), QStringLiteral("FT817")), 60);
    EXPECT_EQ(keys::responseWaitMs(QStringLiteral("9600"), QStringLiteral("TS2000")), 50);
    for (const char *fast : {"19200", "38400", "57600", "115200"})
        EXPECT_EQ(keys::responseWaitMs(QString::fromLatin1(fast), QStringLiteral("IC9100")), 40) << fast;
    EXPECT_EQ(keys::responseWaitMs(QStringLiteral("9600"), QStringLiteral("IC821")), 100);
    EXPECT_EQ(keys::responseWaitMs(QStringLiteral("1200"), QStringLiteral("IC821")), 400);
}

TEST(SettingKeys, PerSatelliteKeys)
{
    EXPECT_EQ(keys::ritFreqKey(QStringLiteral("AO-07"), QStringLiteral("A-mode")), u"AO-07A-mode_RITfreq");
    EXPECT_EQ(keys::offsetKey(QStringLiteral("SO-50"), QString()), u"SO-50_offset");
    EXPECT_EQ(keys::callKey(49), u"Call-49");
}

} // namespace
