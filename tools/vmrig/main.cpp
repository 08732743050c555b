// vmrig: does the rig answer? Asks an Icom rig over the cat library the
// controller uses, before a pass or for a benchmark.

#include "cat/RigCheck.h"
#include "common/Version.h"
#include "platform/Language.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (vm::printVersionIfAsked(argc, argv, "vmrig"))
        return 0;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vmrig"));
    vm::loadTranslation(app, vm::UiLanguage::English);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Asks an Icom rig on a serial port whether it answers, reads or sets its dials and modes,\n"
        "and measures frequency set + read pairs. The rig's opening and closing sequences are not run:\n"
        "the rig is left as it was, but for what a command sets.\n\n"
        "Commands:\n"
        "  info                   model, CI-V address, whether the line echoes, dials and modes\n"
        "  freq main|sub [HZ]     read or set a dial (a single-band rig has only main)\n"
        "  mode main|sub [MODE]   read or set a mode (LSB, USB, AM, CW, RTTY/RTY, FM, ...)\n"
        "  satellite on|off       the rig's satellite mode (IC9700, IC9100, IC910, IC911)\n"
        "  bench N                N pairs of frequency set + read: mean, median, worst, wire time\n\n"
        "Exit status: 0 done, 1 the port or the rig failed, 2 a command line that makes no sense."));
    parser.addHelpOption();
    const QCommandLineOption modelOption(QStringLiteral("model"),
                                         QStringLiteral("Rig model (default IC9700)."), QStringLiteral("id"),
                                         QStringLiteral("IC9700"));
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Serial port path."),
                                        QStringLiteral("path"));
    const QCommandLineOption baudOption(QStringLiteral("baud"), QStringLiteral("Baud rate (default 19200)."),
                                        QStringLiteral("n"), QStringLiteral("19200"));
    const QCommandLineOption addressOption(
        QStringLiteral("address"), QStringLiteral("CI-V address in hexadecimal (default: the model's)."),
        QStringLiteral("hex"));
    parser.addOptions({modelOption, portOption, baudOption, addressOption});
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("info, freq, mode, satellite or bench"));
    parser.process(app);

    vm::RigCheck::Options options;
    options.model = parser.value(modelOption);
    options.port = parser.value(portOption);
    options.baud = parser.value(baudOption);
    options.address = parser.value(addressOption);
    options.command = parser.positionalArguments();

    QTextStream out(stdout);
    QTextStream err(stderr);
    vm::RigCheck check(out, err);
    return check.run(options);
}
