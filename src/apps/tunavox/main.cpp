// tunavox: the rig controller. Started by the panel with "-R"; "/z" asks a
// running controller to save its settings and hide.

#include "cat/QSerialPortTransport.h"
#include "common/Clock.h"
#include "common/DataDir.h"
#include "common/Settings.h"
#include "common/Version.h"
#include "platform/Language.h"
#include "platform/LocalChannel.h"
#include "platform/WineBridge.h"
#include "platform/ui/X11Windows.h"
#include "rigctl/Controller.h"
#include "rigctl/StandardTrackingSources.h"
#include "rigctl/ui/RigSettingsWindow.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "sound/SoundPlayer.h"
#ifdef VELOMIRA_HAVE_QT_SOUND
#include "sound/FileSound.h"
#include "sound/GeneratedInput.h"
#include "sound/SilentOutput.h"
#include "sound/qt/QtAudio.h"
#endif

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QRect>
#include <QScreen>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (vm::printVersionIfAsked(argc, argv, "tunavox"))
        return 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tunavox"));
    QApplication::setQuitOnLastWindowClosed(false);
    QStringList arguments = QApplication::arguments().mid(1);
    vm::installTranslator(app, vm::Settings(vm::Settings::defaultPath()), arguments);

    vm::LocalChannel channel;
    if (!channel.open()) {
        std::fprintf(stderr, "tunavox: %s\n", qPrintable(channel.errorString()));
        return 1;
    }
    const QString dataDir = vm::dataDir();
    // A tracking program under Wine shows an X11 window, not a channel endpoint.
    vm::X11Windows x11;
    vm::StandardTrackingSources sources(channel, vm::SteadyClock::instance(), dataDir,
                                        [&x11](const QString &title) { return x11.exists(title); });
    // Its DDE server is read through our bridge, started on first use.
    const std::unique_ptr<vm::WineBridge> bridge = vm::WineBridge::findInstalled();
    sources.setWineBridge(bridge.get());
#ifdef VELOMIRA_HAVE_QT_SOUND
    const vm::Settings soundSettings(vm::Settings::defaultPath());
    vm::QtAudioInput soundIn(soundSettings.value(vm::keys::SoundInDevice));
    // Stations without a sound card (test machines) may record a generated tone instead.
    vm::GeneratedInput generatedIn;
    vm::AudioInput &recordFrom =
        vm::GeneratedInput::selected() ? static_cast<vm::AudioInput &>(generatedIn) : soundIn;
    vm::QtAudioOutput cardOut(soundSettings.value(vm::keys::SoundOutDevice));
    // ... and play files silently, for as long as they last.
    vm::SilentOutput silentOut;
    vm::AudioOutput &soundOut =
        vm::SilentOutput::selected() ? static_cast<vm::AudioOutput &>(silentOut) : cardOut;
    vm::FileSound sound(recordFrom, soundOut, [&soundSettings] {
        return soundSettings.value(vm::keys::RecSpl).toInt();
    });
#else
    vm::UnavailableSound sound;
#endif

    vm::ControllerEnvironment env;
    env.channel = &channel;
    env.clock = &vm::SteadyClock::instance();
    env.tracking = &sources;
    env.sound = &sound;
    env.dataDir = dataDir;
    env.processId = QCoreApplication::applicationPid();
    env.transportFactory = [](int, const QString &) -> std::unique_ptr<vm::SerialTransport> {
        return std::make_unique<vm::QSerialPortTransport>();
    };
    // Notices do not block: the controller keeps serving the panel and the
    // rigs while one waits for the operator.
    env.showMessage = [](const QString &title, const QString &text) {
        auto *box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        box->show();
    };
    // A question waits for the operator, so it is asked only where there is a
    // screen to answer it on; without one the controller decides for itself.
    // While the box is up it owns the title the panel's close guard looks for.
    const QString platform = QGuiApplication::platformName();
    if (platform != u"offscreen" && platform != u"minimal") {
        env.askOkCancel = [&channel](const QString &title, const QString &text) {
            const bool titled = channel.registerTitle(vm::Controller::MessageTitle);
            const bool ok = QMessageBox::question(nullptr, title, text,
                                                  QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
            if (titled)
                channel.unregisterTitle(vm::Controller::MessageTitle);
            return ok;
        };
    }

    // The title is taken once the controller has decided to run; its
    // records go to the dispatcher, a close request only hides.
    vm::Controller *self = nullptr;
    env.claimOwnTitle = [&channel, &self] {
        if (!channel.registerTitle(vm::Controller::OwnTitle))
            return false;
        channel.setRecordHandler(vm::Controller::OwnTitle, [&self](const vm::ChannelRecord &record) {
            return self->handle(record.text);
        });
        channel.setCloseHandler(vm::Controller::OwnTitle, [&self] { self->closeRequestedFromOutside(); });
        return true;
    };

    vm::Controller controller(env);
    self = &controller;
    vm::RigSettingsWindow window(controller);
    window.hide();

    QTimer timer1;
    QTimer timer2;
    QObject::connect(&timer1, &QTimer::timeout, [&controller] { controller.tick1(); });
    QObject::connect(&timer2, &QTimer::timeout, [&controller] { controller.tick2(); });
    const auto follow = [](QTimer &timer, const vm::TimerState &state) {
        if (state.running) {
            timer.setInterval(state.intervalMs);
            if (!timer.isActive())
                timer.start();
        } else {
            timer.stop();
        }
    };

    bool done = false;
    vm::Controller::Events events;
    events.timersChanged = [&] {
        follow(timer1, controller.timer1());
        follow(timer2, controller.timer2());
    };
    events.settingsWindow = [&window](bool visible) {
        if (visible) {
            window.refresh();
            window.show();
            window.raise();
            window.activateWindow();
        } else {
            window.hide();
        }
    };
    events.finished = [&] {
        done = true;
        timer1.stop();
        timer2.stop();
        channel.setClosing(true);
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    };
    controller.setEvents(events);

    if (controller.start(arguments) != vm::Controller::StartResult::Running)
        return 0;
    if (done)
        return 0;

    // The settings window opens where it was left ([VLMRC] CFGPOSTop /
    // CFGPOSLeft, in twips of 1/15 pixel); off-screen positions become 0.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        int top = int(controller.settings().windowTop / 15.0);
        int left = int(controller.settings().windowLeft / 15.0);
        if (top >= area.height() || top < 0)
            top = 0;
        if (left >= area.width() || left < 0)
            left = 0;
        window.move(left, top);
    }
    const int rc = app.exec();
    channel.unregisterTitle(vm::Controller::OwnTitle);
    return rc;
}
