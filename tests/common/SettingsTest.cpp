#include "common/Settings.h"

#include "TestPaths.h"
#include "common/SettingKeys.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path() const { return m_dir.filePath("Velomira.ini"); }
    void writeFile(const QByteArray &bytes) { ASSERT_TRUE(vm::test::writeFile(path(), bytes)); }
    QTemporaryDir m_dir;
};

TEST_F(SettingsTest, MissingKeyReadsAsTheSectionName)
{
    vm::Settings s(path());
    s.setSection("RIG_CON_CFG");
    EXPECT_EQ(s.read("Poll_Time"), u"RIG_CON_CFG");
    EXPECT_TRUE(s.isMissing(s.read("Poll_Time")));

    ASSERT_TRUE(s.write("Poll_Time", "500"));
    EXPECT_EQ(s.read("poll_time"), u"500");
    s.setSection("VLMRC");
    EXPECT_EQ(s.read("Poll_Time"), u"VLMRC");
}

TEST_F(SettingsTest, ValueEqualToTheSectionNameCountsAsMissing)
{
    writeFile("[RIG_CON_CFG]\nPoll_Time=RIG_CON_CFG\n");
    vm::Settings s(path());
    s.setSection("RIG_CON_CFG");
    EXPECT_TRUE(s.isMissing(s.read("Poll_Time")));
    EXPECT_FALSE(s.contains(vm::keys::PollTime));
    EXPECT_EQ(s.value(vm::keys::PollTime), u"1000");
}

TEST_F(SettingsTest, NewDeletesTheFileAndTheNextWriteStartsAfresh)
{
    vm::Settings s(path());
    s.setSection("VLMRC");
    EXPECT_TRUE(s.write("NEW", QString())); // no file: nothing happens
    EXPECT_FALSE(QFile::exists(path()));

    ASSERT_TRUE(s.write("A", "1"));
    ASSERT_TRUE(s.write("B", "2"));
    EXPECT_TRUE(s.write("NEW", "ignored"));
    EXPECT_FALSE(QFile::exists(path()));

    ASSERT_TRUE(s.write("C", "3"));
    EXPECT_EQ(vm::test::readFile(path()), QByteArray("[VLMRC]\nC=3\n"));
}

TEST_F(SettingsTest, TableKeysAreWrittenInTheirOwnSection)
{
    vm::Settings s(path());
    s.setSection("Velomira");
    ASSERT_TRUE(s.setValue(vm::keys::HamlogPath, "/opt/hamlog/HAMLOGW.EXE"));
    EXPECT_EQ(s.file().get("HAMLOGpos", "HAMLOGの場所", QString()), u"/opt/hamlog/HAMLOGW.EXE");
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
    ASSERT_TRUE(s.setValue(vm::keys::Use2Rig, "Yes"));
    EXPECT_EQ(s.value(vm::keys::RigContType), u"3");
    ASSERT_TRUE(s.setValue(vm::keys::RigContType, QString()));
    EXPECT_EQ(s.value(vm::keys::RigContType), u"3");
    ASSERT_TRUE(s.setValue(vm::keys::RigContType, "2"));
    EXPECT_EQ(s.value(vm::keys::RigContType), u"2");
}

TEST_F(SettingsTest, PortIsNoneWithoutARigModel)
{
    writeFile("[RIG_CON_CFG]\nRIGCOMCONT=/dev/ttyUSB0\nRIGCOMCONT2=/dev/ttyUSB1\nRIG_TYPE2=IC9700\n");
    vm::Settings s(path());
    EXPECT_EQ(s.value(vm::keys::RigComCont), u"None");
    EXPECT_EQ(s.value(vm::keys::RigType), u"None");
    EXPECT_EQ(s.value(vm::keys::RigComCont2), u"/dev/ttyUSB1");
    ASSERT_TRUE(s.setValue(vm::keys::RigType, "IC9700"));
    EXPECT_EQ(s.value(vm::keys::RigComCont), u"/dev/ttyUSB0");
    ASSERT_TRUE(s.setValue(vm::keys::RigComCont, "0"));
    EXPECT_EQ(s.value(vm::keys::RigComCont), u"None");
}

} // namespace
