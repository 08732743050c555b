// The data files under concurrent and interrupted writers: two processes
// writing the settings file at once lose nothing, and a writer killed at any
// moment leaves every file whole, as one of the versions it wrote.
#include "DataFileVersions.h"
#include "ProcessTools.h"
#include "TestPaths.h"
#include "common/ProfileFile.h"
#include "common/SatelliteTable.h"
#include "common/TextFile.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <thread>

namespace {

TEST(ProfileConcurrency, TwoProcessesWritingAtOnceLoseNoKey)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Velomira.ini"));
    constexpr int kKeys = 1000;

    QProcess a;
    QProcess b;
    a.start(QStringLiteral(VM_PROFILE_WRITER), {path, "A", QString::number(kKeys)});
    b.start(QStringLiteral(VM_PROFILE_WRITER), {path, "B", QString::number(kKeys)});
    ASSERT_TRUE(a.waitForStarted(30000));
    ASSERT_TRUE(b.waitForStarted(30000));
    ASSERT_TRUE(a.waitForFinished(240000));
    ASSERT_TRUE(b.waitForFinished(240000));
    EXPECT_EQ(a.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(a.exitCode(), 0) << a.readAllStandardError().toStdString();
    EXPECT_EQ(b.exitCode(), 0) << b.readAllStandardError().toStdString();

    const vm::ProfileFile file(path);
    const QStringList keys = file.keys("Race");
    EXPECT_EQ(keys.size(), 2 * kKeys);
    int missing = 0;
    for (const char *prefix : {"A", "B"}) {
        for (int i = 0; i < kKeys; ++i) {
            if (file.get("Race", QString::fromLatin1(prefix) + QString::number(i), "-") != QString::number(i))
                ++missing;
        }
    }
    EXPECT_EQ(missing, 0);
    // Only one section was ever created.
    EXPECT_EQ(file.sections(), QStringList{"Race"});
}

// The version a file's first value names ("<version>-0", "SAT<version>-0"); -1 when none.
qint64 versionOf(const QString &value)
{
    static const QRegularExpression pattern(QStringLiteral("^(?:SAT)?(\\d+)-0$"));
    const QRegularExpressionMatch m = pattern.match(value);
    return m.hasMatch() ? m.captured(1).toLongLong() : -1;
}

TEST(DataFileCrashSafety, WriterKilledAtRandomMomentsLeavesWholeVersions)
{
    QTemporaryDir dir;
    QTemporaryDir reference;
    ASSERT_TRUE(dir.isValid() && reference.isValid());
    const QString settingsPath = dir.filePath(QStringLiteral("Velomira.ini"));
    const QString tablePath = dir.filePath(QStringLiteral("SATdata.txt"));
    constexpr int kRounds = 250;
    constexpr qint64 kRoundVersions = 1000000; // round r writes versions from r * this
    std::mt19937 rng(18);
    std::uniform_int_distribution<int> killAfterUs(0, 15000);

    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const qint64 first = round * kRoundVersions;
        QProcess writer;
        writer.start(QStringLiteral(VM_PROFILE_WRITER),
                     {QStringLiteral("--versions"), settingsPath, tablePath, QString::number(first)});
        ASSERT_TRUE(writer.waitForStarted(vm::test::GenerousMs));
        ASSERT_EQ(vm::test::readLine(writer), QStringLiteral("writing"))
            << writer.readAllStandardError().toStdString();
        // The kill lands at a pseudo-random point of the writer's loop.
        std::this_thread::sleep_for(std::chrono::microseconds(killAfterUs(rng)));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        ASSERT_TRUE(writer.waitForFinished(vm::test::GenerousMs));
        ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit);

        // The settings file: one whole version, byte for byte as a fresh write of it.
        const vm::ProfileFile settings(settingsPath);
        const qint64 v = versionOf(settings.get(QStringLiteral("VLMRC"), QStringLiteral("K0"), QString()));
        ASSERT_GE(v, first);
        const QString expectedPath = reference.filePath(QStringLiteral("settings-%1.ini").arg(round));
        ASSERT_TRUE(vm::ProfileFile(expectedPath).setMany(vm::test::settingsVersion(v)));
        ASSERT_EQ(vm::test::readFile(settingsPath), vm::test::readFile(expectedPath)) << "version " << v;

        // The satellite table likewise, and it loads.
        vm::SatelliteTable table;
        ASSERT_EQ(table.load(tablePath), vm::test::VersionRows + 1);
        const qint64 t = versionOf(table.record(2).Name);
        ASSERT_GE(t, first);
        QByteArray expected;
        for (const QString &line : vm::test::tableVersion(t))
            expected += line.toUtf8() + '\n';
        ASSERT_EQ(vm::test::readFile(tablePath), expected) << "version " << t;
    }
}

} // namespace
