// Velomira, the operation panel: start-up checks, then the main window.
#include "common/Clock.h"
#include "common/DataDir.h"
#include "common/SatelliteTable.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/Version.h"
#include "logbook/HamlogLink.h"
#include "panel/PanelCore.h"
#include "panel/StartupCheck.h"
#include "panel/ui/HomeHotKey.h"
#include "panel/ui/PanelWindow.h"
#include "panel/ui/QtLauncher.h"
#include "panel/ui/QtPrompter.h"
#include "panel/ui/ScheduleView.h"
#include "panel/ui/TrackingView.h"
#include "platform/Language.h"
#include "platform/LocalChannel.h"
#include "platform/ProgramFolder.h"
#include "platform/WineBridge.h"
#include "platform/ui/X11Windows.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace vm;

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

bool haveDisplay()
{
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char **argv)
{
    if (vm::printVersionIfAsked(argc, argv, "velomira"))
        return 0;
    if (!haveDisplay()) {
        std::fputs("velomira: no display (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                   "Run it on a desktop, or under a virtual one: xvfb-run -a velomira\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velomira"));
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString controller = QDir(programDir).filePath(QStringLiteral("tunavox"));

    const QString data = dataDir();
    Settings settings(findFileNoCase(data, QStringLiteral("Velomira.ini")));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    installTranslator(app, settings, arguments);
    const QString commandLine = arguments.join(u' ');
    LocalChannel channel;
    if (!channel.open()) {
        QMessageBox::critical(nullptr, PanelCore::panelTitle(), channel.errorString());
        return 1;
    }

    StartupCheck::Facts facts;
    facts.commandLine = commandLine;
    facts.panelRunning = channel.titleExists(PanelCore::panelTitle());
    facts.panelIdKnown = settings.contains(keys::PanelMe);
    facts.controllerPresent = QFileInfo(controller).isExecutable();
    facts.controllerRunning = channel.titleExists(PanelCore::controllerTitle());
    switch (StartupCheck::decide(facts)) {
    case StartupCheck::Action::End:
        return 0;
    case StartupCheck::Action::CloseOtherAndEnd:
        channel.postClose(PanelCore::panelTitle());
        return 0;
    case StartupCheck::Action::MissingController: {
        // A plain notice, without an icon.
        QMessageBox box(QMessageBox::NoIcon, PanelCore::panelTitle(),
                        QCoreApplication::translate("Velomira", "tunavox がありませんので起動出来ません"),
                        QMessageBox::Ok);
        box.exec();
        return 1;
    }
    case StartupCheck::Action::RestartController:
        QProcess::startDetached(controller, {QStringLiteral("/z")}, programDir);
        return 0;
    case StartupCheck::Action::Continue:
        break;
    }

    // The Windows logging program under Wine, through our bridge (started on
    // the first transfer, ended with the panel).
    const std::unique_ptr<WineBridge> bridge = WineBridge::findInstalled();
    const WindowsLogging windowsLogging(bridge.get());

    QtPrompter prompter;
    QtLauncher launcher;
    PanelCore core(channel, settings, prompter, launcher, SteadyClock::instance(), data);
    // The waterfall program, beside the panel or on PATH.
    QString waterfall = QStandardPaths::findExecutable(QStringLiteral("vlmwf"), {programDir});
    core.setWaterfallProgram(waterfall.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("vlmwf"))
                                                 : waterfall);
    core.setExtendedMode(StartupCheck::extendedMode(commandLine));
    // Kepral32's macro, satellite selection and pass prediction, through the same bridge.
    core.setWindowsPrograms(bridge.get());
    StartupCheck::prepareData(data, settings, core.table(), prompter);

    if (!channel.registerTitle(PanelCore::panelTitle()))
        return 0; // another panel took the title meanwhile
    PanelWindow window(core, settings, launcher);
    prompter.setOwner(&window);
    channel.setRecordHandler(PanelCore::panelTitle(),
                             [&core](const ChannelRecord &record) { return core.handleRecord(record.text); });
    // A close request can arrive while the panel waits on the channel, even
    // before the event loop runs (during the load, which talks to the
    // controller); closing then would leave a program without a window that
    // never ends. The close waits for the event loop.
    channel.setCloseHandler(PanelCore::panelTitle(), [&window] {
        QMetaObject::invokeMethod(&window, &QWidget::close, Qt::QueuedConnection);
    });
    // The Home hot key raises the panel from anywhere (X11 only).
    HomeHotKey hotKey;
    QObject::connect(&hotKey, &HomeHotKey::pressed, &core, &PanelCore::hotKey);
    // Clipboard capture needs the title of the window in front (X11 only).
    X11Windows x11;
    // WSJT-X and JTDX end as their close box ends them.
    launcher.setWindowCloser([&x11](qint64 pid) { return x11.closeProcessWindows(pid); });
    // The tracking program: a stand-in holds its window title on the channel,
    // a program under Wine shows an X11 window.
    core.setProgramFolderFinder([&channel, &x11](const QString &title) -> std::optional<QString> {
        std::optional<qint64> pid = channel.ownerProcess(title);
        if (!pid)
            pid = x11.processId(title);
        return pid ? programFolder(*pid) : std::nullopt;
    });
    // The companions raised with the panel are X11 windows (a tracking
    // program under Wine, the waterfall); a tracking program X11 does not
    // show is raised through the bridge.
    window.setWindowRaiser(
        [&x11, &core](const QString &title) { return x11.raise(title) || core.raiseTrackerWindow(title); });
    QObject::connect(QApplication::clipboard(), &QClipboard::dataChanged, &core, [&core, &x11] {
        if (x11.available())
            core.clipboardChanged(x11.activeTitle(), QApplication::clipboard()->text());
    });
    // SIGINT and SIGTERM close the panel as its close box does, so that the
    // controller is told to end and the state is saved.
    if (::pipe(signalPipe) == 0) {
        auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
        QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, &core] {
            char byte = 0;
            [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], &byte, 1);
            if (!window.close())
                core.emergencyEnd();
        });
        std::signal(SIGINT, onSignal);
        std::signal(SIGTERM, onSignal);
    }
    // Where the satellite is: the tracking window (F12) and the Information frame's countdown.
    new TrackingView(window, core, settings, SteadyClock::instance(), data);
    // The day's predicted passes, chosen for the schedule.
    new ScheduleView(window, core, settings, SteadyClock::instance(), data);
    window.show();
    core.load(QCoreApplication::applicationPid(), controller);
    QObject::connect(&app, &QApplication::lastWindowClosed, &app, [&channel] { channel.setClosing(true); });
    const int rc = QApplication::exec();
    channel.unregisterTitle(PanelCore::panelTitle());
    return rc;
}
