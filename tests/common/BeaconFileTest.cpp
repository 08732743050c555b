#include "common/BeaconFile.h"

#include "TestPaths.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(BeaconFile, ReadsThreeItemLinesAndSkipsTheRest)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("BeaconFreq.txt");
    ASSERT_TRUE(vm::test::writeFile(path, QStringLiteral("'satellite,label,kHz\r\n"
                           "AO-07,CW beacon,145975\r\n"
                           "AO-07,two,items\r\n"
                           "FO-29,CW,435795,extra\r\n"
                           "\r\n"
                           "RS-44, CW , 435605.0\r\n"
                           "AO-07,A-mode,29502\r\n")
                                              .toUtf8()));

    const QList<vm::Beacon> all = vm::BeaconFile::read(path);
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[1].satellite, u"RS-44");
    EXPECT_EQ(all[1].label, u"CW");
    EXPECT_EQ(all[1].frequencyKHz, u"435605.0");

    const QList<vm::Beacon> ao07 = vm::BeaconFile::forSatellite(all, "AO-07");
    ASSERT_EQ(ao07.size(), 2);
    EXPECT_EQ(ao07[0].frequencyKHz, u"145975");
    EXPECT_EQ(ao07[1].label, u"A-mode");
    // A missing file has none.
    EXPECT_TRUE(vm::BeaconFile::read("/nonexistent/BeaconFreq.txt").isEmpty());
}

} // namespace
