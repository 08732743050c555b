#include "common/ProfileFile.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ProfileConcurrency, TwoProcessesWritingAtOnceLoseNoKey)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Velomira.ini");
    constexpr int kKeys = 500;

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

} // namespace
