// Runs the built satpass program as a user would from a shell.

#include "OrbitTestData.h"
#include "ProcessTools.h"
#include "TestPaths.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace vm::orbit {
namespace {

using namespace testdata;

using test::ProgramRun;

ProgramRun runSatpass(const QStringList &args)
{
    return test::runProgram(test::program("satpass"), args);
}

class SatpassE2e : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_tle = m_dir.filePath("sats.txt");
        std::string badGeo = kGeoLine2;
        badGeo[20] = '9';
        const std::string text = std::string(kIssName) + "\n" + kIssLine1 + "\n" + kIssLine2 + "\n" +
                                 "BROKEN\n" + kGeoLine1 + "\n" + badGeo + "\n" + "DECAY\n" + kDecayLine1 +
                                 "\n" + kDecayLine2 + "\n";
        ASSERT_TRUE(vm::test::writeFile(m_tle, QByteArray::fromStdString(text)));
    }

    QTemporaryDir m_dir;
    QString m_tle;
};

TEST_F(SatpassE2e, PrintsLookAnglesAndPassesForANamedSatellite)
{
    const ProgramRun r = runSatpass({"--tle", m_tle, "--sat", "iss (zarya)", "--locator", "PM95vq",
                                     "--height", "40", "--time", "2008-09-20 12:25:40", "--hours", "24"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Satellite:  ISS (ZARYA) (25544)")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Time:       2008-09-20 12:25:40 UTC"));
    EXPECT_TRUE(r.out.contains("Revolution: 56353"));
    const auto el = QRegularExpression(R"(Elevation:\s+(-?\d+\.\d+) deg)").match(r.out);
    ASSERT_TRUE(el.hasMatch());
    EXPECT_LE(std::abs(el.captured(1).toDouble()), 90.0);
    EXPECT_TRUE(QRegularExpression(R"(Range rate: -?\d+\.\d m/s)").match(r.out).hasMatch());
    // The broken set is reported with its line and skipped.
    EXPECT_TRUE(r.err.contains(m_tle + ":5: skipped: checksum error in line 2")) << r.err.toStdString();

    const auto count = QRegularExpression(R"(Passes from .* UTC: (\d+))").match(r.out);
    ASSERT_TRUE(count.hasMatch());
    const int passes = count.captured(1).toInt();
    EXPECT_GE(passes, 3);
    const QRegularExpression passLine(R"(^2008-09-2\d \d\d:\d\d:\d\d  +\d+\.\d  2008)",
                                      QRegularExpression::MultilineOption);
    int lines = 0;
    for (auto it = passLine.globalMatch(r.out); it.hasNext(); it.next())
        ++lines;
    EXPECT_EQ(lines, passes);
}

TEST_F(SatpassE2e, ListsSatellitesAndRejectsUnknownOnes)
{
    const ProgramRun list = runSatpass({"--tle", m_tle, "--list"});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_TRUE(list.out.contains("25544  ISS (ZARYA)"));
    EXPECT_TRUE(list.out.contains("28872  DECAY"));
    EXPECT_FALSE(list.out.contains("BROKEN"));

    const ProgramRun unknown = runSatpass({"--tle", m_tle, "--sat", "AO-91", "--lat", "35", "--lon", "139"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains("satellite not found: AO-91"));

    // Several satellites and no --sat: the user must choose.
    const ProgramRun ambiguous = runSatpass({"--tle", m_tle, "--lat", "35", "--lon", "139"});
    EXPECT_EQ(ambiguous.exitCode, 2);
}

TEST_F(SatpassE2e, MadeUpOverheadSatelliteCulminatesWhereAndWhenAsked)
{
    const ProgramRun made = runSatpass({"--make-overhead", "DEMO-1", "--lat", "-33.9", "--lon", "18.4",
                                        "--time", "2026-12-06 18:00:00", "--minutes", "7"});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    const QString tle = m_dir.filePath("demo.txt");
    ASSERT_TRUE(vm::test::writeFile(tle, made.out.toUtf8()));

    const ProgramRun passes = runSatpass({"--tle", tle, "--lat", "-33.9", "--lon", "18.4", "--time",
                                          "2026-12-06 18:00:00", "--hours", "0.5", "--passes-only"});
    ASSERT_EQ(passes.exitCode, 0) << passes.err.toStdString();
    const QRegularExpression row("2026-12-06 18:07:\\d\\d\\s+(\\d+\\.\\d)");
    const QRegularExpressionMatch m = row.match(passes.out);
    ASSERT_TRUE(m.hasMatch()) << passes.out.toStdString();
    EXPECT_GT(m.captured(1).toDouble(), 85.0);
}

} // namespace
} // namespace vm::orbit
