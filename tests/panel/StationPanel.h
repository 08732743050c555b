#pragma once

// The panel's core (and, when asked, its window) in this process on a
// simulated station's channel; the controller it loads starts as a real child
// process in the station's environment.
#include "PanelFakes.h"
#include "ProcessTools.h"
#include "SimulatedStation.h"
#include "common/Clock.h"
#include "common/Settings.h"
#include "panel/PanelCore.h"
#include "panel/ui/PanelWindow.h"
#include "platform/LocalChannel.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTest>

#include <functional>
#include <memory>

namespace vm::test {

class StationLauncher final : public Launcher {
public:
    explicit StationLauncher(const SimulatedStation &station) : m_station(station) {}
    ~StationLauncher() override { stop(process); }
    bool startProgram(const QString &program, const QStringList &arguments) override
    {
        process.setProcessEnvironment(m_station.environment()); // as the station's is when it starts
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(program, arguments);
        return process.waitForStarted(GenerousMs);
    }
    bool openUrl(const QString &) override { return false; }
    QProcess process;

private:
    const SimulatedStation &m_station;
};

struct StationPanel {
    explicit StationPanel(const SimulatedStation &station)
        : settings(station.file("Velomira.ini")), channel(station.runtimeDir()), launcher(station),
          core(channel, settings, prompter, launcher, SteadyClock::instance(), station.homeDir()),
          m_table(station.file("SATdata.txt"))
    {
    }

    // The channel open; with `titled`, the panel's title served by the core and the table loaded.
    bool open(bool titled = true)
    {
        if (!channel.open())
            return false;
        if (!titled)
            return true;
        if (!channel.registerTitle(PanelCore::panelTitle()))
            return false;
        channel.setRecordHandler(PanelCore::panelTitle(),
                                 [this](const ChannelRecord &r) { return core.handleRecord(r.text); });
        return core.table().load(m_table) > 1;
    }
    // The window shown and active.
    bool show()
    {
        window = std::make_unique<PanelWindow>(core, settings, launcher);
        window->show();
        QApplication::setActiveWindow(window.get());
        return QTest::qWaitForWindowActive(window.get());
    }
    // Runs the event loop until the condition holds or the time is up.
    static bool waitFor(const std::function<bool()> &condition)
    {
        for (QDeadlineTimer deadline(GenerousMs); !condition(); QTest::qWait(20)) {
            if (deadline.hasExpired())
                return false;
        }
        return true;
    }

    Settings settings;
    LocalChannel channel;
    StationLauncher launcher;
    FakePrompter prompter;
    PanelCore core;
    std::unique_ptr<PanelWindow> window;

private:
    QString m_table;
};

} // namespace vm::test
