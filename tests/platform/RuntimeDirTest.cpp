#include "platform/RuntimeDir.h"
#include "platform/LocalChannel.h"
#include "TestPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

using vm::RuntimeDir;

namespace {

mode_t modeOf(const QString &path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return 0;
    return st.st_mode & 07777;
}

// Restores an environment variable when the test ends.
auto restoredLater(const char *name)
{
    return qScopeGuard([name, had = qEnvironmentVariableIsSet(name), value = qgetenv(name)] {
        had ? void(qputenv(name, value)) : void(qunsetenv(name));
    });
}

// A folder that belongs to another user: as root a fresh folder handed to
// "nobody"; as an ordinary user the root folder.
QString foreignFolder(QTemporaryDir &tmp)
{
    if (::geteuid() != 0)
        return "/";
    const QString path = tmp.filePath("foreign");
    if (!QDir().mkdir(path))
        return QString();
    if (::chown(QFile::encodeName(path).constData(), 65534, 65534) != 0)
        return QString();
    ::chmod(QFile::encodeName(path).constData(), 0700);
    return path;
}

} // namespace

TEST(RuntimeDirTest, DefaultPathFollowsTheEnvironment)
{
    const auto own = restoredLater("VELOMIRA_RUNTIME_DIR");
    const auto xdg = restoredLater("XDG_RUNTIME_DIR");

    qputenv("VELOMIRA_RUNTIME_DIR", "/somewhere/own");
    qputenv("XDG_RUNTIME_DIR", "/run/user/1000");
    EXPECT_EQ(RuntimeDir::defaultPath(), "/somewhere/own");

    qunsetenv("VELOMIRA_RUNTIME_DIR");
    EXPECT_EQ(RuntimeDir::defaultPath(), "/run/user/1000/velomira");

    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(RuntimeDir::defaultPath(), QStringLiteral("/tmp/velomira-%1").arg(::geteuid()));
}

TEST(RuntimeDirTest, CreatesAMissingFolderOrTightensOursToPrivate)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString path = tmp.filePath("parent/velomira");
    QString error;
    ASSERT_TRUE(RuntimeDir::prepare(path, &error)) << qPrintable(error);
    EXPECT_EQ(modeOf(path), mode_t(0700));
    // A second call accepts the folder as it is.
    EXPECT_TRUE(RuntimeDir::prepare(path, &error)) << qPrintable(error);
    // One of ours that others may read is made private.
    ASSERT_EQ(::chmod(QFile::encodeName(tmp.path()).constData(), 0755), 0);
    ASSERT_TRUE(RuntimeDir::prepare(tmp.path(), &error)) << qPrintable(error);
    EXPECT_EQ(modeOf(tmp.path()), mode_t(0700));
}

TEST(RuntimeDirTest, RefusesAFolderOfAnotherUser)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString foreign = foreignFolder(tmp);
    ASSERT_FALSE(foreign.isEmpty());
    const mode_t before = modeOf(foreign);

    QString error;
    EXPECT_FALSE(RuntimeDir::prepare(foreign, &error));
    EXPECT_TRUE(error.contains("another user")) << qPrintable(error);
    EXPECT_EQ(modeOf(foreign), before);

    // The channel refuses to work there: no title, no send.
    vm::LocalChannel channel(foreign);
    EXPECT_FALSE(channel.open());
    EXPECT_TRUE(channel.errorString().contains("another user"));
    EXPECT_FALSE(channel.registerTitle("Velomira"));
    EXPECT_EQ(channel.sendRecord("Velomira", "OPPEND").status, vm::LocalChannel::Status::Failed);
    if (foreign != "/") {
        EXPECT_FALSE(QFile::exists(QDir(foreign).filePath("Velomira.sock")));
    }
}

TEST(RuntimeDirTest, RefusesSymbolicLinksAndFiles)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString target = tmp.filePath("target");
    ASSERT_TRUE(QDir().mkdir(target));
    const QString link = tmp.filePath("link");
    ASSERT_TRUE(QFile::link(target, link));
    QString error;
    EXPECT_FALSE(RuntimeDir::prepare(link, &error));
    EXPECT_TRUE(error.contains("symbolic link")) << qPrintable(error);

    const QString file = tmp.filePath("file");
    ASSERT_TRUE(vm::test::writeFile(file, {}));
    EXPECT_FALSE(RuntimeDir::prepare(file, &error));
    EXPECT_TRUE(error.contains("not a folder")) << qPrintable(error);
    EXPECT_TRUE(QFile::exists(file));
}
