#include "common/DataDir.h"

#include "TestPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DataDirTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString sub(const QString &name) const { return name.isEmpty() ? QString() : m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

// VELOMIRA_HOME wins; then a writable program folder that is no installation;
// then $XDG_DATA_HOME/velomira, or ~/.local/share/velomira without an
// absolute XDG_DATA_HOME. The folder chosen is created.
TEST_F(DataDirTest, FolderByPrecedence)
{
    ASSERT_TRUE(QDir().mkpath(sub("prefix/bin")));
    EXPECT_EQ(vm::installedShareDir(sub("prefix/bin")), QString()); // no share/velomira: a copied folder
    ASSERT_TRUE(QDir().mkpath(sub("copy/bin")));
    ASSERT_TRUE(QDir().mkpath(sub("prefix/share/velomira")));
    EXPECT_EQ(vm::installedShareDir(sub("prefix/bin")), sub("prefix/share/velomira"));
    const struct { const char *home, *exe, *xdg; bool relativeXdg; const char *expected; } cases[] = {
        {"home/deep", "copy/bin", "", false, "home/deep"},
        {"", "copy/bin", "xdg", false, "copy/bin"},
        {"", "prefix/bin", "xdg", false, "xdg/velomira"}, // an installation keeps its data in XDG
        {"", "no-such-folder", "xdg1", false, "xdg1/velomira"},
        {"", "no-such-folder", "", true, "user/.local/share/velomira"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.expected);
        vm::DataDirInputs in;
        in.velomiraHome = sub(c.home);
        in.executableDir = sub(c.exe);
        in.xdgDataHome = c.relativeXdg ? QStringLiteral("relative/path") : sub(c.xdg);
        in.homeDir = sub("user");
        in.installed = !vm::installedShareDir(in.executableDir).isEmpty();
        EXPECT_EQ(vm::resolveDataDir(in), sub(c.expected));
        EXPECT_TRUE(QFileInfo(sub(c.expected)).isDir());
    }
}

TEST_F(DataDirTest, FileNamesMatchWithoutRegardToCase)
{
    ASSERT_TRUE(vm::test::writeFile(sub("SATdata.txt"), {}));
    EXPECT_EQ(vm::findFileNoCase(m_dir.path(), "SATDATA.TXT"), sub("SATdata.txt"));
    // Not there: the name as asked, to be created.
    EXPECT_EQ(vm::findFileNoCase(m_dir.path(), "BeaconFreq.txt"), sub("BeaconFreq.txt"));
}

} // namespace
