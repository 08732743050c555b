// Hamlib's rigctl talks to the rigsim program as to the real rigs.

#include "ProcessTools.h"
#include "TestPaths.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace vm::test;

namespace {

// Our model, Hamlib's model number for it (rigctl -l), a frequency it tunes
// and the CW passband asked for (0: the rig's own).
struct HamlibModel { const char *model, *hamlibModel, *hz, *width; };

class RigsimProcess : public ::testing::TestWithParam<HamlibModel> {};

} // namespace

TEST_P(RigsimProcess, HamlibRigctlSetsAndReadsFrequencyAndMode)
{
    const QString rigctl = QStandardPaths::findExecutable("rigctl");
    if (rigctl.isEmpty())
        GTEST_SKIP() << "Hamlib's rigctl is not installed";
    const auto [model, hamlibModel, hz, width] = GetParam();
    QProcess sim;
    sim.start(program("rigsim"), {"--model", model, "--baud", "19200"});
    const QString path = readLine(sim);
    ASSERT_TRUE(path.startsWith("/dev/pts/")) << path.toStdString();

    QProcess client;
    client.start(rigctl, {"-m", hamlibModel, "-r", path, "-s", "19200", "F", hz, "f", "M", "CW", width, "m"});
    ASSERT_TRUE(client.waitForFinished(60'000));
    const QStringList out = QString::fromUtf8(client.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(client.exitCode(), 0) << client.readAllStandardError().toStdString();
    ASSERT_GE(out.size(), 2);
    EXPECT_EQ(out.at(0), hz);
    EXPECT_EQ(out.at(1), "CW");
    const QString dial = consoleCommand(sim, "dial main");
    EXPECT_TRUE(dial.startsWith(QStringLiteral("OK %1 CW").arg(hz))) << dial.toStdString();
    EXPECT_EQ(consoleCommand(sim, "quit"), "OK");
    EXPECT_TRUE(sim.waitForFinished(GenerousMs));
    stop(sim);
}

INSTANTIATE_TEST_SUITE_P(
    Model, RigsimProcess,
    ::testing::Values(
        HamlibModel{"IC9700", "3081", "145880000", "500"}, HamlibModel{"IC705", "3085", "145880000", "500"},
        HamlibModel{"TS2000", "2014", "145880000", "0"}, HamlibModel{"TS590", "2031", "14250000", "0"},
        HamlibModel{"TS990", "2039", "14250000", "0"}, HamlibModel{"FT2000", "1029", "14250000", "0"},
        HamlibModel{"FT991", "1035", "145880000", "0"}, HamlibModel{"FT817", "1020", "145880000", "0"},
        HamlibModel{"FT847", "1001", "145880000", "0"}),
    [](const ::testing::TestParamInfo<HamlibModel> &info) { return std::string(info.param.model); });
