// Hamlib's rigctl talks to the rigsim program as to the real rigs.

#include "ProcessTools.h"
#include "TestPaths.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace vm::test;

TEST(RigsimProcess, HamlibRigctlSetsAndReadsFrequencyAndMode)
{
    const QString rigctl = QStandardPaths::findExecutable("rigctl");
    if (rigctl.isEmpty())
        GTEST_SKIP() << "Hamlib's rigctl is not installed";
    // Our model and Hamlib's model number for it (rigctl -l).
    const std::pair<const char *, const char *> models[] = {
        {"IC9700", "3081"}, {"IC705", "3085"}, {"IC9100", "3068"}, {"IC910", "3044"}};
    for (const auto &[model, hamlibModel] : models) {
        SCOPED_TRACE(model);
        QProcess sim;
        sim.start(program("rigsim"), {"--model", model, "--baud", "19200"});
        const QString path = readLine(sim);
        ASSERT_TRUE(path.startsWith("/dev/pts/")) << path.toStdString();

        QProcess client;
        client.start(rigctl, {"-m", hamlibModel, "-r", path, "-s", "19200", "F", "145880000", "f", "M", "CW",
                              "500", "m"});
        ASSERT_TRUE(client.waitForFinished(60'000));
        const QStringList out =
            QString::fromUtf8(client.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(client.exitCode(), 0) << client.readAllStandardError().toStdString();
        ASSERT_GE(out.size(), 2);
        EXPECT_EQ(out.at(0), "145880000");
        EXPECT_EQ(out.at(1), "CW");
        const QString dial = consoleCommand(sim, "dial main");
        EXPECT_TRUE(dial.startsWith("OK 145880000 CW")) << dial.toStdString();
        EXPECT_EQ(consoleCommand(sim, "quit"), "OK");
        EXPECT_TRUE(sim.waitForFinished(GenerousMs));
        stop(sim);
    }
}
