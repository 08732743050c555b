// The folder of a running program: Wine programs through their prefix's
// drive links, others through their executable. A made-up /proc tree stands
// in for the processes that cannot be started here (Wine is not installed).

#include "platform/ProgramFolder.h"
#include "TestPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vm;

namespace {

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString &relative) const { return QDir(m_dir.path()).filePath(relative); }

    void makeFile(const QString &relative, const QByteArray &content = QByteArray())
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path(relative)).absolutePath()));
        ASSERT_TRUE(vm::test::writeFile(path(relative), content));
    }

    // A Wine prefix whose C: drive holds the tracking program.
    QString makePrefix(const QString &name)
    {
        const QString prefix = path(name);
        makeFile(name + "/drive_c/Program Files/kepral32/Kepral32.exe");
        EXPECT_TRUE(QDir().mkpath(prefix + "/dosdevices"));
        EXPECT_TRUE(QFile::link("../drive_c", prefix + "/dosdevices/c:"));
        return prefix;
    }

    // /proc/<pid> with the given first arguments and environment.
    void makeProcess(qint64 pid, const QByteArray &cmdline, const QByteArray &environ)
    {
        makeFile(QStringLiteral("proc/%1/cmdline").arg(pid), cmdline);
        makeFile(QStringLiteral("proc/%1/environ").arg(pid), environ);
    }

    QString canonical(const QString &relative) const { return QFileInfo(path(relative)).canonicalFilePath(); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ProgramFolderTest, WinePathIsMappedThroughTheDriveLinksWithoutRegardToCase)
{
    const QString prefix = makePrefix("wine");
    const QString folder = canonical("wine/drive_c/Program Files/kepral32");
    EXPECT_EQ(wineUnixPath("C:\\PROGRAM FILES\\Kepral32\\KEPRAL32.EXE", prefix), folder + "/Kepral32.exe");
    EXPECT_EQ(wineUnixPath("c:/Program Files/KEPRAL32", prefix), folder);
    // Not there, another drive, or not a drive path at all.
    EXPECT_EQ(wineUnixPath("C:\\Program Files\\Ornik\\ornik.exe", prefix), std::nullopt);
    EXPECT_EQ(wineUnixPath("D:\\Kepral32\\Kepral32.exe", prefix), std::nullopt);
    EXPECT_EQ(wineUnixPath("/usr/bin/wine", prefix), std::nullopt);
    EXPECT_EQ(wineUnixPath("C:\\Program Files", QString()), std::nullopt);
}

TEST_F(ProgramFolderTest, WineProgramFolderUsesItsPrefixOrTheHomeDefault)
{
    const QString own = makePrefix("own-prefix");
    makePrefix("home/.wine");
    const QString proc = path("proc");
    const QByteArray program = "C:\\Program Files\\Kepral32\\Kepral32.exe";

    makeProcess(100, program + QByteArray("\0-min\0", 6),
                "HOME=" + path("home").toLocal8Bit() + '\0' + "WINEPREFIX=" + own.toLocal8Bit() + '\0');
    EXPECT_EQ(programFolder(100, proc), canonical("own-prefix/drive_c/Program Files/kepral32"));

    makeProcess(101, program + '\0', "HOME=" + path("home").toLocal8Bit() + '\0');
    EXPECT_EQ(programFolder(101, proc), canonical("home/.wine/drive_c/Program Files/kepral32"));

    // A Windows path that cannot be mapped gives no folder, not Wine's own.
    makeProcess(102, "C:\\Elsewhere\\Kepral32.exe\0", "WINEPREFIX=" + own.toLocal8Bit() + '\0');
    ASSERT_TRUE(QFile::link("/usr/bin/env", path("proc/102/exe")));
    EXPECT_EQ(programFolder(102, proc), std::nullopt);
}

// A running program's executable folder: VelomiraProcess.TellsTheControllerTheTrackingProgramsFolder.
TEST_F(ProgramFolderTest, GoneProcessesGiveNoFolder)
{
    EXPECT_EQ(programFolder(201, path("proc")), std::nullopt);
    EXPECT_EQ(programFolder(0), std::nullopt);
}
