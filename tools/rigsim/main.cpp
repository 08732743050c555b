// rigsim: a simulated transceiver behind a pseudo-terminal.

#include "RigServer.h"
#include "common/Version.h"
#include "rigsim/IcomModel.h"
#include "rigsim/IcomRig.h"
#include "rigsim/RigConsole.h"
#include "rigsim/TextRig.h"
#include "rigsim/YaesuBinaryRig.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <memory>

namespace {

void onSignal(int)
{
    vm::sim::RigServer::requestStop();
}

QString modelList()
{
    QStringList ids;
    for (const vm::sim::IcomModel &model : vm::sim::IcomModel::all())
        ids << QStringLiteral("%1 (%2)").arg(model.id, QString::number(model.address, 16).toUpper());
    for (const vm::sim::TextRigModel &model : vm::sim::TextRigModel::all())
        ids << model.id;
    ids << vm::sim::YaesuBinaryRig::models();
    return ids.join(QStringLiteral(", "));
}

} // namespace

int main(int argc, char *argv[])
{
    if (vm::printVersionIfAsked(argc, argv, "rigsim"))
        return 0;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rigsim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Serves a simulated transceiver on a pseudo-terminal with real serial timing.\n"
                       "Prints the pseudo-terminal's path as the first line of standard output, then reads\n"
                       "console commands from standard input (and from --control clients).\n"
                       "Models (factory CI-V address): ") +
        modelList() + QStringLiteral("\n\n") + vm::sim::RigConsole::help());
    parser.addHelpOption();
    const QCommandLineOption modelOption(QStringLiteral("model"),
                                         QStringLiteral("Rig model (default IC9700)."), QStringLiteral("id"),
                                         QStringLiteral("IC9700"));
    const QCommandLineOption addressOption(
        QStringLiteral("address"), QStringLiteral("CI-V address in hexadecimal (default: the model's)."),
        QStringLiteral("hex"));
    const QCommandLineOption baudOption(QStringLiteral("baud"),
                                        QStringLiteral("Line speed for the timing (default 19200)."),
                                        QStringLiteral("rate"), QStringLiteral("19200"));
    const QCommandLineOption processingOption(
        QStringLiteral("processing"), QStringLiteral("Rig processing time per command in ms (default 3)."),
        QStringLiteral("ms"), QStringLiteral("3"));
    const QCommandLineOption controlOption(QStringLiteral("control"),
                                           QStringLiteral("Unix-domain socket taking console commands."),
                                           QStringLiteral("path"));
    const QCommandLineOption linkOption(QStringLiteral("link"),
                                        QStringLiteral("Symbolic link to create to the pseudo-terminal."),
                                        QStringLiteral("path"));
    const QCommandLineOption echoOption(
        QStringLiteral("echo"),
        QStringLiteral("CI-V echo of every frame received: on (the CI-V jack, default) or off (the USB port "
                       "of newer rigs with \"CI-V USB echo back\" off)."),
        QStringLiteral("on|off"), QStringLiteral("on"));
    parser.addOptions(
        {modelOption, addressOption, baudOption, processingOption, controlOption, linkOption, echoOption});
    parser.process(app);

    QTextStream err(stderr);
    const vm::sim::IcomModel *model = vm::sim::IcomModel::find(parser.value(modelOption));
    const vm::sim::TextRigModel *textModel = vm::sim::TextRigModel::find(parser.value(modelOption));
    const bool binary = vm::sim::YaesuBinaryRig::knows(parser.value(modelOption));
    if (!model && !textModel && !binary) {
        err << "rigsim: unknown model " << parser.value(modelOption) << "; known: " << modelList() << "\n";
        return 2;
    }
    quint8 address = model ? model->address : 0;
    if (parser.isSet(addressOption)) {
        bool ok = false;
        const uint value = parser.value(addressOption).toUInt(&ok, 16);
        if (!ok || value < 0x01 || value > 0xEF || value == 0xE0) {
            err << "rigsim: not a usable CI-V address: " << parser.value(addressOption) << "\n";
            return 2;
        }
        address = quint8(value);
    }
    bool ok = false;
    const int baud = parser.value(baudOption).toInt(&ok);
    if (!ok || baud < 300 || baud > 1'000'000) {
        err << "rigsim: not a baud rate: " << parser.value(baudOption) << "\n";
        return 2;
    }
    const int processingMs = parser.value(processingOption).toInt(&ok);
    if (!ok || processingMs < 0 || processingMs > 10'000) {
        err << "rigsim: not a processing time: " << parser.value(processingOption) << "\n";
        return 2;
    }

    const QString echo = parser.value(echoOption);
    if (echo != QLatin1String("on") && echo != QLatin1String("off")) {
        err << "rigsim: --echo takes on or off, not " << echo << "\n";
        return 2;
    }

    std::unique_ptr<vm::sim::ConsoleRig> rig;
    if (model) {
        auto icom = std::make_unique<vm::sim::IcomRig>(*model, address);
        icom->setEchoEnabled(echo == QLatin1String("on"));
        rig = std::move(icom);
    } else if (textModel) {
        rig = std::make_unique<vm::sim::TextRig>(*textModel);
    } else {
        rig = std::make_unique<vm::sim::YaesuBinaryRig>(parser.value(modelOption));
    }
    vm::sim::RigServer server(*rig, baud, processingMs);
    QString error;
    if (!server.start(parser.value(controlOption), parser.value(linkOption), &error)) {
        err << "rigsim: " << error << "\n";
        return 1;
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGPIPE, SIG_IGN);

    const QByteArray first = server.slavePath().toLocal8Bit() + '\n';
    std::fwrite(first.constData(), 1, size_t(first.size()), stdout);
    std::fflush(stdout);
    return server.run();
}
