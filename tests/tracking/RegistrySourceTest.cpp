#include "tracking/RegistrySource.h"
#include "TestPaths.h"
#include "tracking/WineRegistry.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace vm;

namespace {

const char *kUserReg = R"(WINE REGISTRY Version 2
;; All keys relative to \\User\\S-1-5-21-1-2-3-1000

#arch=win32

[Software\\Wine\\Fonts] 1700000000
"Codepage"="932"

[Software\\VB and VBA Program Settings\\Q0ORBT\\Kepral32] 1700000100
#time=1da0000000000000
"Elevation"="12.5"
"RangeRate"="-3456.7"
"Revolution"="23456"
"Satellite"="  rs-44 \"x\" \x885b\x661f "

[Software\\VB and VBA Program Settings\\Q0ORBT\\Kepral99] 1700000200
"RangeRate"=""
"Satellite"="FO-29"
)";

} // namespace

TEST(WineRegistry, ParsesKeyValuesWithEscapesCaseInsensitivelyAndWritesOneKey)
{
    bool found = false;
    const auto v = wineRegistry::parseKey(QString::fromUtf8(kUserReg),
                                          "software\\vb and vba program settings\\q0orbt\\KEPRAL32", &found);
    EXPECT_TRUE(found);
    EXPECT_EQ(v.value("RangeRate"), "-3456.7");
    EXPECT_EQ(v.value("Satellite"), QString::fromUtf8("  rs-44 \"x\" 衛星 "));
    EXPECT_EQ(v.size(), 4);
    wineRegistry::parseKey(QString::fromUtf8(kUserReg), "Software\\Nothing", &found);
    EXPECT_FALSE(found);

    // Writing a key replaces that key only.
    QTemporaryDir dir;
    const QString file = dir.filePath("user.reg");
    ASSERT_TRUE(vm::test::writeFile(file, kUserReg));
    const QString key = RegistrySource::keyPath("Kepral32");
    ASSERT_TRUE(wineRegistry::writeKey(file, key, {{"Satellite", "AO-07"}, {"RangeRate", "12.5"}}));
    const auto written = wineRegistry::readKey(file, key);
    EXPECT_EQ(written.value("Satellite"), "AO-07");
    EXPECT_FALSE(written.contains("Revolution"));
    EXPECT_EQ(wineRegistry::readKey(file, "Software\\Wine\\Fonts").value("Codepage"), "932");
    EXPECT_EQ(wineRegistry::readKey(file, RegistrySource::keyPath("Kepral99")).value("Satellite"), "FO-29");
}

TEST(RegistrySource, ReadsTheFourValuesWhileTheProgramRuns)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("user.reg");
    ASSERT_TRUE(vm::test::writeFile(file, kUserReg));
    RegistrySource k32(file, "Kepral32", [](const QString &title) { return title == "Kepral32"; });
    QString error;
    ASSERT_TRUE(k32.open(&error));
    TrackingValues v;
    EXPECT_EQ(k32.read(v), TrackingSource::ReadResult::Ok);
    EXPECT_FLOAT_EQ(v.rangeRate, -3456.7f);
    EXPECT_EQ(v.satellite, QString::fromUtf8("rs-44 \"x\" 衛星"));
    EXPECT_EQ(v.elevation, "12.5");
    EXPECT_EQ(v.revolution, "23456");
    // The program's window gone: FakeTrackerE2e.RegistryMethodReadsWhatTheProgramWritesUntilItCloses.

    // An empty range rate is not a number: the read fails before anything else.
    RegistrySource k99(file, "Kepral99", [](const QString &) { return true; });
    v.satellite = "OLD";
    EXPECT_EQ(k99.read(v), TrackingSource::ReadResult::Failed);
    EXPECT_EQ(v.satellite, "OLD");
}
