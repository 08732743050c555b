#include "panel/SettingsMigration.h"
#include "common/SatelliteTable.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vm;

namespace {

QStringList readLines(const QString &path)
{
    return TextFile::readLines(path).value_or(QStringList{QStringLiteral("<unreadable>")});
}

} // namespace

TEST(SettingsMigration, ConvertsOldKeysSectionsAndHomeFrequencies)
{
    const QStringList old{
        QStringLiteral("[SATinfo]"),     QStringLiteral("AO-07_offset=1.5"),
        QStringLiteral("FO-29=RX"),      QStringLiteral("MODEoffset=700"),
        QStringLiteral("[HomeFreq]"),    QStringLiteral("AO-07B-mode=RX145.950"),
        QStringLiteral("[CallsLast20]"), QStringLiteral("Call-0=JA1ABC"),
        QStringLiteral("stray text"),    QStringLiteral("[Velomira]"),
        QStringLiteral("IM=3"),          QStringLiteral("QQ Mode=1"),
    };
    int attention = 0;
    const QStringList out = SettingsMigration::convert(old, &attention);
    EXPECT_GT(attention, 0);
    const QStringList expected{
        QStringLiteral("[SATinfo]"),
        QStringLiteral("AO-07B-mode_offset=1.5"),
        QStringLiteral("MODEoffset=700"),
        QString(),
        QStringLiteral("[CallsLast50]"),
        QStringLiteral("Call-0=JA1ABC"),
        QString(),
        QStringLiteral("[Velomira]"),
        QStringLiteral("QQ Mode=1"),
        QString(),
        QStringLiteral("[HomeFreq]"),
        QStringLiteral("AO-07B-mode=RX145.950"),
    };
    EXPECT_EQ(out, expected);
}

TEST(SettingsMigration, TidyFileNeedsNoAttention)
{
    const QStringList tidy{QStringLiteral("[SATinfo]"), QStringLiteral("MODEoffset=700"), QString(),
                           QStringLiteral("[Velomira]"), QStringLiteral("QQ Mode=1")};
    int attention = -1;
    EXPECT_EQ(SettingsMigration::convert(tidy, &attention), tidy);
    EXPECT_EQ(attention, 0);
}

TEST(SettingsMigration, RunsOnceWithBackupOnlyWhenSomethingChanged)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Velomira.ini"));
    const QString backup = dir.filePath(QStringLiteral("B4_Velomira.ini"));
    ASSERT_TRUE(
        TextFile::writeLinesAtomic(ini, {QStringLiteral("[SATinfo]"), QStringLiteral("AO-07_offset=1.5")}));
    Settings settings(ini);

    SettingsMigration::Outcome first = SettingsMigration::migrate(settings);
    EXPECT_TRUE(first.ran);
    EXPECT_TRUE(first.rewritten);
    EXPECT_TRUE(first.error.isEmpty());
    EXPECT_TRUE(QFile::exists(backup));
    EXPECT_EQ(readLines(backup).value(1), QStringLiteral("AO-07_offset=1.5"));
    EXPECT_EQ(settings.file().value(QStringLiteral("SATinfo"), QStringLiteral("AO-07B-mode_offset")),
              QStringLiteral("1.5"));
    EXPECT_EQ(settings.value(keys::MigrationLevel), QStringLiteral("7"));

    // A later old-style line is not touched again.
    settings.file().set(QStringLiteral("SATinfo"), QStringLiteral("AO-07_offset"), QStringLiteral("9"));
    SettingsMigration::Outcome second = SettingsMigration::migrate(settings);
    EXPECT_FALSE(second.ran);
    EXPECT_EQ(settings.file().value(QStringLiteral("SATinfo"), QStringLiteral("AO-07_offset")),
              QStringLiteral("9"));
}

TEST(SettingsMigration, TidyOrMissingFileGetsOnlyTheMark)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Velomira.ini"));
    Settings missing(ini);
    EXPECT_TRUE(SettingsMigration::migrate(missing).ran);
    EXPECT_EQ(missing.value(keys::MigrationLevel), QStringLiteral("7"));

    QTemporaryDir dir2;
    const QString ini2 = dir2.filePath(QStringLiteral("Velomira.ini"));
    ASSERT_TRUE(
        TextFile::writeLinesAtomic(ini2, {QStringLiteral("[SATinfo]"), QStringLiteral("MODEoffset=700")}));
    Settings tidy(ini2);
    const SettingsMigration::Outcome o = SettingsMigration::migrate(tidy);
    EXPECT_FALSE(o.rewritten);
    EXPECT_FALSE(QFile::exists(dir2.filePath(QStringLiteral("B4_Velomira.ini"))));
    EXPECT_EQ(tidy.value(keys::MigrationLevel), QStringLiteral("7"));
}

TEST(SettingsMigration, PurgeDropsKeysOfSatellitesNoLongerInTheTable)
{
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("SATdata.txt"));
    ASSERT_TRUE(SatelliteTable::writeDefault(table));
    SatelliteTable t;
    ASSERT_EQ(t.load(table), 3);
    const QString ini = dir.filePath(QStringLiteral("Velomira.ini"));
    ASSERT_TRUE(TextFile::writeLinesAtomic(
        ini, {QStringLiteral("[SATinfo]"), QStringLiteral("AO-07B-mode_offset=120"),
              QStringLiteral("FO-29_offset=50"), QStringLiteral("FO-29_RITfreq=100"),
              QStringLiteral("AO-07A-mode_RITfreq=-300"), QStringLiteral("MODEoffset=700"), QString(),
              QStringLiteral("[HomeFreq]"), QStringLiteral("AO-07B-mode=RX145.950"),
              QStringLiteral("XW-2A=TX435.1")}));
    ASSERT_TRUE(SettingsMigration::purgeFile(ini, t));
    EXPECT_EQ(
        readLines(ini),
        (QStringList{QStringLiteral("[SATinfo]"), QStringLiteral("AO-07B-mode_offset=120"),
                     QStringLiteral("AO-07A-mode_RITfreq=-300"), QStringLiteral("MODEoffset=700"), QString(),
                     QStringLiteral("[HomeFreq]"), QStringLiteral("AO-07B-mode=RX145.950")}));
}

TEST(SettingsMigration, PurgeKeepsEverythingWithoutAReadableTable)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Velomira.ini"));
    const QStringList lines{QStringLiteral("[SATinfo]"), QStringLiteral("FO-29_offset=50")};
    ASSERT_TRUE(TextFile::writeLinesAtomic(ini, lines));
    SatelliteTable empty;
    EXPECT_TRUE(SettingsMigration::purgeFile(ini, empty));
    EXPECT_EQ(readLines(ini), lines);
}
