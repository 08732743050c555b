#include "common/Settings.h"

#include "common/SettingKeys.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path() const { return m_dir.filePath(QStringLiteral("Velomira.ini")); }
    void writeFile(const QByteArray &bytes)
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QTemporaryDir m_dir;
};

TEST_F(SettingsTest, MissingKeyReadsAsTheSectionName)
{
    vm::Settings s(path());
    s.setSection(QStringLiteral("RIG_CON_CFG"));
    EXPECT_EQ(s.read(QStringLiteral("Poll_Time")), u"RIG_CON_CFG");
    EXPECT_TRUE(s.isMissing(s.read(QStringLiteral("Poll_Time"))));

    ASSERT_TRUE(s.write(QStringLiteral("Poll_Time"), QStringLiteral("500")));
    EXPECT_EQ(s.read(QStringLiteral("poll_time")), u"500");
    s.setSection(QStringLiteral("VLMRC"));
    EXPECT_EQ(s.read(QStringLiteral("Poll_Time")), u"VLMRC");
}

TEST_F(SettingsTest, ValueEqualToTheSectionNameCountsAsMissing)
{
    writeFile("[RIG_CON_CFG]\nPoll_Time=RIG_CON_CFG\n");
    vm::Settings s(path());
    s.setSection(QStringLiteral("RIG_CON_CFG"));
    EXPECT_TRUE(s.isMissing(s.read(QStringLiteral("Poll_Time"))));
    EXPECT_FALSE(s.contains(vm::keys::PollTime));
    EXPECT_EQ(s.value(vm::keys::PollTime), u"1000");
}

TEST_F(SettingsTest, ReadCutsAtNul)
{
    // The length comes from the literal itself (less its terminator), so the
    // file holds exactly these bytes, the NUL in the middle of the value included.
    static const char input[] = "[VLMRC]\nRC=805a\0junk\n";
    writeFile(QByteArray(input, sizeof(input) - 1));
    ASSERT_EQ(QFile(path()).size(), 21);
    vm::Settings s(path());
    s.setSection(QStringLiteral("VLMRC"));
    EXPECT_EQ(s.read(QStringLiteral("RC")), u"805a");
}

TEST_F(SettingsTest, NewDeletesTheFileAndTheNextWriteStartsAfresh)
{
    vm::Settings s(path());
    s.setSection(QStringLiteral("VLMRC"));
    EXPECT_TRUE(s.write(QStringLiteral("NEW"), QString())); // no file: nothing happens
    EXPECT_FALSE(QFile::exists(path()));

    ASSERT_TRUE(s.write(QStringLiteral("A"), QStringLiteral("1")));
    ASSERT_TRUE(s.write(QStringLiteral("B"), QStringLiteral("2")));
    EXPECT_TRUE(s.write(QStringLiteral("NEW"), QStringLiteral("ignored")));
    EXPECT_FALSE(QFile::exists(path()));

    ASSERT_TRUE(s.write(QStringLiteral("C"), QStringLiteral("3")));
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("[VLMRC]\nC=3\n"));
}

TEST_F(SettingsTest, TableKeysAreWrittenInTheirOwnSection)
{
    vm::Settings s(path());
    s.setSection(QStringLiteral("Velomira"));
    ASSERT_TRUE(s.setValue(vm::keys::HamlogPath, QStringLiteral("/opt/hamlog/HAMLOGW.EXE")));
    EXPECT_EQ(s.file().get(QStringLiteral("HAMLOGpos"), QStringLiteral("HAMLOGの場所"), QString()),
              u"/opt/hamlog/HAMLOGW.EXE");
    EXPECT_EQ(s.value(vm::keys::HamlogPath), u"/opt/hamlog/HAMLOGW.EXE");
    ASSERT_TRUE(s.removeValue(vm::keys::HamlogPath));
    EXPECT_FALSE(s.contains(vm::keys::HamlogPath));
    EXPECT_EQ(s.section(), u"Velomira") << "table access leaves the current section alone";
}

// Loader rules that need the file: a key derived from another key.
TEST_F(SettingsTest, RigContTypeFollowsUse2RigWhenMissingOrEmpty)
{
    vm::Settings s(path());
    EXPECT_EQ(s.value(vm::keys::RigContType), u"0");
    ASSERT_TRUE(s.setValue(vm::keys::Use2Rig, QStringLiteral("Yes")));
    EXPECT_EQ(s.value(vm::keys::RigContType), u"3");
    ASSERT_TRUE(s.setValue(vm::keys::RigContType, QString()));
    EXPECT_EQ(s.value(vm::keys::RigContType), u"3");
    ASSERT_TRUE(s.setValue(vm::keys::RigContType, QStringLiteral("2")));
    EXPECT_EQ(s.value(vm::keys::RigContType), u"2");
}

TEST_F(SettingsTest, PortIsNoneWithoutARigModel)
{
    writeFile("[RIG_CON_CFG]\nRIGCOMCONT=/dev/ttyUSB0\nRIGCOMCONT2=/dev/ttyUSB1\nRIG_TYPE2=IC9700\n");
    vm::Settings s(path());
    EXPECT_EQ(s.value(vm::keys::RigComCont), u"None");
    EXPECT_EQ(s.value(vm::keys::RigType), u"None");
    EXPECT_EQ(s.value(vm::keys::RigComCont2), u"/dev/ttyUSB1");
    ASSERT_TRUE(s.setValue(vm::keys::RigType, QStringLiteral("IC9700")));
    EXPECT_EQ(s.value(vm::keys::RigComCont), u"/dev/ttyUSB0");
    ASSERT_TRUE(s.setValue(vm::keys::RigComCont, QStringLiteral("0")));
    EXPECT_EQ(s.value(vm::keys::RigComCont), u"None");
}

TEST_F(SettingsTest, IcomAddressMissingIsDoubleZero)
{
    vm::Settings s(path());
    EXPECT_EQ(s.value(vm::keys::IcomRigAdrs), u"00");
    writeFile("[RIG_CON_CFG]\nICOM_RIGadrs= A2 \nICOM_RIGadrs2=RIG\n");
    EXPECT_EQ(s.value(vm::keys::IcomRigAdrs), u"A2");
    EXPECT_EQ(s.value(vm::keys::IcomRigAdrs2), u"00");
}

} // namespace
