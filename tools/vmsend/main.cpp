// vmsend: talks to the Velomira programs over the command channel from a shell.

#include "common/ChannelCodec.h"
#include "common/Version.h"
#include "platform/LocalChannel.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHash>
#include <QTextStream>

#include <cstdio>

namespace {

enum Exit { ExitOk = 0, ExitDropped = 1, ExitUsage = 2 };

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

int usageError(const QString &text)
{
    err() << "vmsend: " << text << "\nTry 'vmsend --help'.\n";
    err().flush();
    return ExitUsage;
}

int report(const vm::LocalChannel &channel, const vm::LocalChannel::Result &result)
{
    out() << vm::LocalChannel::statusText(result.status);
    if (result.delivered())
        out() << " result=" << result.value;
    out() << '\n';
    out().flush();
    if (!result.delivered() && !channel.errorString().isEmpty() &&
        result.status != vm::LocalChannel::Status::Missing) {
        err() << "vmsend: " << channel.errorString() << '\n';
        err().flush();
    }
    return result.delivered() ? ExitOk : ExitDropped;
}

// Owns the title and prints every record's text, one a line, until a close
// request arrives; answers item requests from the NAME=VALUE list.
int listen(vm::LocalChannel &channel, const QString &title, const QHash<QString, QString> &answers)
{
    if (!channel.registerTitle(title)) {
        err() << "vmsend: " << channel.errorString() << '\n';
        err().flush();
        return ExitUsage;
    }
    bool closed = false;
    channel.setRecordHandler(title, [](const vm::ChannelRecord &record) {
        out() << record.text << '\n';
        out().flush();
        return quint32(0);
    });
    channel.setItemHandler(title, [&answers](const QString &item) -> std::optional<QString> {
        const auto it = answers.constFind(item);
        if (it == answers.constEnd())
            return std::nullopt;
        return *it;
    });
    channel.setCloseHandler(title, [&closed] { closed = true; });
    err() << "vmsend: listening as \"" << title << "\" in " << channel.runtimeDir() << '\n';
    err().flush();
    while (!closed)
        channel.processPending(1000);
    return ExitOk;
}

} // namespace

int main(int argc, char *argv[])
{
    if (vm::printVersionIfAsked(argc, argv, "vmsend"))
        return 0;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vmsend"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Sends one record to the program that owns a window title over the Velomira command\n"
        "channel and prints the outcome (\"delivered result=N\" or \"dropped: ...\").\n"
        "\n"
        "  vmsend TITLE TEXT            send the record TEXT (six-character code + payload)\n"
        "  vmsend --close TITLE         post a close request\n"
        "  vmsend --item NAME TITLE     request a tracking item; prints its value\n"
        "  vmsend --exists TITLE        prints yes or no\n"
        "  vmsend --listen TITLE        own TITLE and print each record that arrives, one a line,\n"
        "                               until a close request arrives\n"
        "\n"
        "Titles: \"環境設定Tunavox\" (controller), \"Velomira\" (panel), \"DDE:Kepral32|Export\" ...\n"
        "The runtime folder is $VELOMIRA_RUNTIME_DIR, else $XDG_RUNTIME_DIR/velomira,\n"
        "else /tmp/velomira-<uid>.\n"
        "\n"
        "Exit status: 0 delivered (or: exists, item known); 1 dropped (or: absent, item\n"
        "unknown); 2 usage error or unusable runtime folder."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("TITLE"),
                                 QStringLiteral("Window title of the receiving program."));
    parser.addPositionalArgument(QStringLiteral("TEXT"),
                                 QStringLiteral("The record (only when sending a record)."),
                                 QStringLiteral("[TEXT]"));
    const QCommandLineOption closeOption(QStringLiteral("close"),
                                         QStringLiteral("Post a close request (WM_CLOSE)."));
    const QCommandLineOption itemOption(
        QStringLiteral("item"), QStringLiteral("Request the tracking item <name>."), QStringLiteral("name"));
    const QCommandLineOption existsOption(QStringLiteral("exists"),
                                          QStringLiteral("Tell whether some program owns TITLE."));
    const QCommandLineOption listenOption(QStringLiteral("listen"),
                                          QStringLiteral("Own TITLE and print the records that arrive."));
    const QCommandLineOption answerOption(
        QStringLiteral("answer"), QStringLiteral("With --listen: answer item <name=value> (repeatable)."),
        QStringLiteral("name=value"));
    const QCommandLineOption timeoutOption(QStringLiteral("timeout"),
                                           QStringLiteral("Reply time limit in milliseconds (default 5000)."),
                                           QStringLiteral("ms"));
    const QCommandLineOption dirOption(QStringLiteral("runtime-dir"),
                                       QStringLiteral("Use <folder> as the runtime folder."),
                                       QStringLiteral("folder"));
    parser.addOptions(
        {closeOption, itemOption, existsOption, listenOption, answerOption, timeoutOption, dirOption});
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    const int modes = int(parser.isSet(closeOption)) + int(parser.isSet(itemOption)) +
                      int(parser.isSet(existsOption)) + int(parser.isSet(listenOption));
    if (modes > 1)
        return usageError(QStringLiteral("--close, --item, --exists and --listen exclude each other"));
    if (args.isEmpty())
        return usageError(QStringLiteral("missing TITLE"));
    const QString title = args.at(0);
    const bool recordMode = modes == 0;
    if (recordMode && args.size() != 2)
        return usageError(QStringLiteral("give TITLE and one TEXT (quote a text with spaces)"));
    if (!recordMode && args.size() != 1)
        return usageError(QStringLiteral("unexpected argument \"%1\"").arg(args.at(1)));

    vm::LocalChannel channel(parser.value(dirOption));
    if (parser.isSet(timeoutOption)) {
        bool ok = false;
        const int ms = parser.value(timeoutOption).toInt(&ok);
        if (!ok || ms < 0)
            return usageError(QStringLiteral("--timeout needs a number of milliseconds"));
        channel.setReplyTimeoutMs(ms);
    }
    if (!channel.open()) {
        err() << "vmsend: " << channel.errorString() << '\n';
        err().flush();
        return ExitUsage;
    }

    if (parser.isSet(existsOption)) {
        const bool exists = channel.titleExists(title);
        out() << (exists ? "yes" : "no") << '\n';
        out().flush();
        return exists ? ExitOk : ExitDropped;
    }
    if (parser.isSet(listenOption)) {
        QHash<QString, QString> answers;
        for (const QString &pair : parser.values(answerOption)) {
            const qsizetype eq = pair.indexOf(QLatin1Char('='));
            if (eq <= 0)
                return usageError(QStringLiteral("--answer needs name=value, got \"%1\"").arg(pair));
            answers.insert(pair.left(eq), pair.mid(eq + 1));
        }
        return listen(channel, title, answers);
    }
    if (parser.isSet(closeOption))
        return report(channel, channel.postCloseRequest(title));
    if (parser.isSet(itemOption)) {
        const vm::LocalChannel::Result result = channel.requestItem(title, parser.value(itemOption));
        if (!result.delivered())
            return report(channel, result);
        if (result.value == 0) {
            out() << "unknown item\n";
            out().flush();
            return ExitDropped;
        }
        out() << QString::fromUtf8(result.data) << '\n';
        out().flush();
        return ExitOk;
    }
    return report(channel, channel.sendRecord(title, args.at(1)));
}
