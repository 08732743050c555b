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
    return TextFile::readLines(path).value_or(QStringList{"<unreadable>"});
}

} // namespace

TEST(SettingsMigration, ConvertsOldKeysSectionsAndHomeFrequencies)
{
    const QStringList old{
        "[SATinfo]",     "AO-07_offset=1.5",
        "FO-29=RX",      "MODEoffset=700",
        "[HomeFreq]",    "AO-07B-mode=RX145.950",
        "[CallsLast20]", "Call-0=JA1ABC",
        "stray text",    "[Velomira]",
        "IM=3",          "QQ Mode=1",
    };
    int attention = 0;
    const QStringList out = SettingsMigration::convert(old, &attention);
    EXPECT_GT(attention, 0);
    const QStringList expected{
        "[SATinfo]",      "AO-07B-mode_offset=1.5",
        "MODEoffset=700", QString(),
        "[CallsLast50]",  "Call-0=JA1ABC",
        QString(),        "[Velomira]",
        "QQ Mode=1",      QString(),
        "[HomeFreq]",     "AO-07B-mode=RX145.950",
    };
    EXPECT_EQ(out, expected);
    // A tidy file needs no attention.
    const QStringList tidy{"[SATinfo]", "MODEoffset=700", QString(), "[Velomira]", "QQ Mode=1"};
    EXPECT_EQ(SettingsMigration::convert(tidy, &attention), tidy);
    EXPECT_EQ(attention, 0);
}

TEST(SettingsMigration, RunsOnceWithBackupOnlyWhenSomethingChanged)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("Velomira.ini");
    const QString backup = dir.filePath("B4_Velomira.ini");
    ASSERT_TRUE(TextFile::writeLinesAtomic(ini, {"[SATinfo]", "AO-07_offset=1.5"}));
    Settings settings(ini);

    SettingsMigration::Outcome first = SettingsMigration::migrate(settings);
    EXPECT_TRUE(first.ran);
    EXPECT_TRUE(first.rewritten);
    EXPECT_TRUE(first.error.isEmpty());
    EXPECT_TRUE(QFile::exists(backup));
    EXPECT_EQ(readLines(backup).value(1), "AO-07_offset=1.5");
    EXPECT_EQ(settings.file().value("SATinfo", "AO-07B-mode_offset"), "1.5");
    EXPECT_EQ(settings.value(keys::MigrationLevel), "7");

    // A later old-style line is not touched again.
    settings.file().set("SATinfo", "AO-07_offset", "9");
    SettingsMigration::Outcome second = SettingsMigration::migrate(settings);
    EXPECT_FALSE(second.ran);
    EXPECT_EQ(settings.file().value("SATinfo", "AO-07_offset"), "9");
}

TEST(SettingsMigration, TidyOrMissingFileGetsOnlyTheMark)
{
    for (bool missing : {true, false}) {
        QTemporaryDir dir;
        const QStringList lines{"[SATinfo]", "MODEoffset=700"};
        ASSERT_TRUE(missing || TextFile::writeLinesAtomic(dir.filePath("Velomira.ini"), lines));
        Settings settings(dir.filePath("Velomira.ini"));
        const SettingsMigration::Outcome o = SettingsMigration::migrate(settings);
        EXPECT_TRUE(o.ran);
        EXPECT_FALSE(o.rewritten);
        EXPECT_FALSE(QFile::exists(dir.filePath("B4_Velomira.ini")));
        EXPECT_EQ(settings.value(keys::MigrationLevel), "7");
    }
}

TEST(SettingsMigration, PurgeDropsKeysOfSatellitesNoLongerInTheTable)
{
    QTemporaryDir dir;
    const QString table = dir.filePath("SATdata.txt");
    ASSERT_TRUE(SatelliteTable::writeDefault(table));
    SatelliteTable t;
    ASSERT_EQ(t.load(table), 3);
    const QString ini = dir.filePath("Velomira.ini");
    ASSERT_TRUE(
        TextFile::writeLinesAtomic(ini, {"[SATinfo]", "AO-07B-mode_offset=120", "FO-29_offset=50",
                                         "FO-29_RITfreq=100", "AO-07A-mode_RITfreq=-300", "MODEoffset=700",
                                         QString(), "[HomeFreq]", "AO-07B-mode=RX145.950", "XW-2A=TX435.1"}));
    ASSERT_TRUE(SettingsMigration::purgeFile(ini, t));
    const QStringList purged{"[SATinfo]", "AO-07B-mode_offset=120", "AO-07A-mode_RITfreq=-300",
                             "MODEoffset=700", QString(), "[HomeFreq]", "AO-07B-mode=RX145.950"};
    EXPECT_EQ(readLines(ini), purged);
    // Without a readable table everything is kept.
    ASSERT_TRUE(TextFile::writeLinesAtomic(ini, {"[SATinfo]", "FO-29_offset=50"}));
    EXPECT_TRUE(SettingsMigration::purgeFile(ini, SatelliteTable()));
    EXPECT_EQ(readLines(ini), (QStringList{"[SATinfo]", "FO-29_offset=50"}));
}
