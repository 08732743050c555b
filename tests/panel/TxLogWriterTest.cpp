#include "panel/TxLogWriter.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/TextFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vm;

TEST(TxLogWriter, DayFileInTheRememberedFolder)
{
    QTemporaryDir dir;
    Settings settings(dir.filePath("Velomira.ini"));
    TxLogWriter writer(settings, dir.path());
    const QDate dec5(2026, 12, 5);
    QString error;
    ASSERT_TRUE(writer.append("first", dec5, &error)) << error.toStdString();
    ASSERT_TRUE(writer.append("second", dec5, &error));
    ASSERT_TRUE(writer.append("next day", QDate(2026, 12, 6), &error));

    const QString folder = settings.value(keys::LogFol);
    EXPECT_EQ(QDir(folder).absolutePath(), QDir(dir.filePath("TXLogData")).absolutePath());
    EXPECT_EQ(TextFile::readLines(QDir(folder).filePath("1205_TX_log.txt")).value_or(QStringList()),
              (QStringList{"first", "second"}));
    EXPECT_EQ(TextFile::readLines(QDir(folder).filePath("1206_TX_log.txt")).value_or(QStringList()),
              QStringList{"next day"});
}

// An unwritable folder is told: PanelLifecycle.TxLogFailureIsTold.
