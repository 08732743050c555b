#include "common/DataDir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DataDirTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString sub(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(DataDirTest, VelomiraHomeWinsAndIsCreated)
{
    vm::DataDirInputs in;
    in.velomiraHome = sub("home/deep");
    in.executableDir = m_dir.path();
    EXPECT_EQ(vm::resolveDataDir(in), in.velomiraHome);
    EXPECT_TRUE(QFileInfo(in.velomiraHome).isDir());
}

TEST_F(DataDirTest, WritableExecutableFolderIsUsed)
{
    vm::DataDirInputs in;
    in.executableDir = m_dir.path();
    in.xdgDataHome = sub("xdg");
    EXPECT_EQ(vm::resolveDataDir(in), QDir(m_dir.path()).absolutePath());
}

TEST_F(DataDirTest, AnInstallationKeepsItsDataInXdgEvenWhenBinIsWritable)
{
    ASSERT_TRUE(QDir().mkpath(sub("prefix/bin")));
    EXPECT_EQ(vm::installedShareDir(sub("prefix/bin")), QString()); // no share/velomira: a copied folder
    ASSERT_TRUE(QDir().mkpath(sub("prefix/share/velomira")));
    EXPECT_EQ(vm::installedShareDir(sub("prefix/bin")), sub("prefix/share/velomira"));
    vm::DataDirInputs in;
    in.executableDir = sub("prefix/bin");
    in.xdgDataHome = sub("xdg");
    in.installed = !vm::installedShareDir(in.executableDir).isEmpty();
    EXPECT_EQ(vm::resolveDataDir(in), sub("xdg/velomira"));
}

TEST_F(DataDirTest, OtherwiseXdgDataHome)
{
    vm::DataDirInputs in;
    in.executableDir = sub("no-such-folder");
    in.xdgDataHome = sub("xdg");
    in.homeDir = sub("user");
    EXPECT_EQ(vm::resolveDataDir(in), sub("xdg/velomira"));
    EXPECT_TRUE(QFileInfo(sub("xdg/velomira")).isDir());

    // No (or a relative) XDG_DATA_HOME: ~/.local/share/velomira.
    in.xdgDataHome = "relative/path";
    EXPECT_EQ(vm::resolveDataDir(in), sub("user/.local/share/velomira"));
}

TEST_F(DataDirTest, DataDirFollowsTheEnvironment)
{
    const QByteArray old = qgetenv("VELOMIRA_HOME");
    qputenv("VELOMIRA_HOME", sub("env").toLocal8Bit());
    EXPECT_EQ(vm::dataDir(), sub("env"));
    EXPECT_EQ(vm::dataFile("Velomira.ini"), sub("env/Velomira.ini"));
    if (old.isNull())
        qunsetenv("VELOMIRA_HOME");
    else
        qputenv("VELOMIRA_HOME", old);
}

TEST_F(DataDirTest, FileNamesMatchWithoutRegardToCase)
{
    QFile f(sub("SATdata.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(vm::findFileNoCase(m_dir.path(), "Satdata.txt"), sub("SATdata.txt"));
    EXPECT_EQ(vm::findFileNoCase(m_dir.path(), "SATDATA.TXT"), sub("SATdata.txt"));
    // Not there: the name as asked, to be created.
    EXPECT_EQ(vm::findFileNoCase(m_dir.path(), "BeaconFreq.txt"), sub("BeaconFreq.txt"));
}

} // namespace
