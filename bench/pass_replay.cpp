// Pass replay: the controller core driven through an overhead pass against
// the in-process IC-9700 on a manual clock, for every poll time, baud rate
// and reply-wait kind. Prints one Markdown table; with --write FILE it also
// puts the table, with the command that made it, into FILE between the
// markers <!-- pass_replay:TAG --> and <!-- /pass_replay:TAG -->.

#include "replay/PassReplay.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

using namespace vm;
using namespace vm::bench;

namespace {

QList<int> intList(const QString &text)
{
    QList<int> out;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int v = part.trimmed().toInt(&ok);
        if (ok)
            out << v;
    }
    return out;
}

QString fixed(double v, int decimals = 1)
{
    return QString::number(v, 'f', decimals);
}

bool writeSection(const QString &path, const QString &tag, const QString &body, QString *error)
{
    const QString begin = QStringLiteral("<!-- pass_replay:%1 -->").arg(tag);
    const QString end = QStringLiteral("<!-- /pass_replay:%1 -->").arg(tag);
    QString text;
    QFile in(path);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly)) {
            *error = in.errorString();
            return false;
        }
        text = QString::fromUtf8(in.readAll());
        in.close();
    }
    const QString block = begin + u'\n' + body + end;
    const qsizetype b = text.indexOf(begin);
    const qsizetype e = b >= 0 ? text.indexOf(end, b) : -1;
    if (b >= 0 && e >= 0) {
        text.replace(b, e + end.size() - b, block);
    } else {
        if (!text.isEmpty() && !text.endsWith(u'\n'))
            text += u'\n';
        text += u'\n' + block + u'\n';
    }
    // Whole file replaced at once, as every table of this project is.
    const QString temporary = path + QStringLiteral(".tmp");
    QFile out(temporary);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text.toUtf8()) < 0 ||
        !out.flush()) {
        *error = out.errorString();
        return false;
    }
    out.close();
    if (std::rename(temporary.toLocal8Bit().constData(), path.toLocal8Bit().constData()) != 0) {
        *error = QStringLiteral("cannot replace %1").arg(path);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    const QString command =
        QStringLiteral("pass_replay") + (args.size() > 1 ? u' ' + args.mid(1).join(u' ') : QString());
    QList<int> polls{1000, 200, 100, 50};
    QList<int> bauds{9600, 19200, 115200};
    QStringList waits{QStringLiteral("fixed"), QStringLiteral("early")};
    QString leadText = QStringLiteral("0");
    QString sourceText = QStringLiteral("orbit");
    QString writePath;
    QString tag = QStringLiteral("table");
    for (int i = 1; i < args.size(); ++i) {
        const QString a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--poll") && hasValue)
            polls = intList(args.at(++i));
        else if (a == QLatin1String("--baud") && hasValue)
            bauds = intList(args.at(++i));
        else if (a == QLatin1String("--wait") && hasValue)
            waits = args.at(++i).split(u',', Qt::SkipEmptyParts);
        else if (a == QLatin1String("--lead") && hasValue)
            leadText = args.at(++i);
        else if (a == QLatin1String("--source") && hasValue)
            sourceText = args.at(++i);
        else if (a == QLatin1String("--write") && hasValue)
            writePath = args.at(++i);
        else if (a == QLatin1String("--tag") && hasValue)
            tag = args.at(++i);
        else {
            std::fprintf(stderr,
                         "usage: pass_replay [--poll 1000,200,100,50] [--baud 9600,19200,115200]\n"
                         "                   [--wait fixed,early] [--source orbit|builtin] [--lead MS|auto]\n"
                         "                   [--write FILE [--tag TAG]]\n"
                         "  --source builtin: the program's built-in tracking source (its own lead)\n"
                         "  --lead: with the orbit source, how far ahead the range rate is computed\n");
            return 2;
        }
    }
    if (sourceText != QLatin1String("orbit") && sourceText != QLatin1String("builtin")) {
        std::fprintf(stderr, "pass_replay: --source is orbit or builtin\n");
        return 2;
    }
    bool leadOk = false;
    const qint64 lead = leadText == QLatin1String("auto") ? -1 : leadText.toLongLong(&leadOk);
    if (leadText != QLatin1String("auto") && (!leadOk || lead < 0)) {
        std::fprintf(stderr, "pass_replay: --lead takes milliseconds or \"auto\"\n");
        return 2;
    }

    QString table;
    QTextStream t(&table);
    t << "| wait | baud | poll ms | max err Hz | RMS err Hz | bytes/tick | ms/tick | wire ms/tick | "
         "tick/wire | "
         "overrun | ticks | RCMOFF latency mean/max ms | round trip + 10 ms | lead ms |\n";
    t << "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    QTextStream out(stdout);
    out << table;
    out.flush();
    int failures = 0;
    for (const QString &wait : waits) {
        for (int baud : bauds) {
            for (int poll : polls) {
                ReplayConfig config;
                config.pollMs = poll;
                config.baud = baud;
                config.waitMode =
                    wait == QLatin1String("fixed") ? RigPort::WaitMode::Fixed : RigPort::WaitMode::UntilReply;
                config.leadMs = lead;
                config.builtinSource = sourceText == QLatin1String("builtin");
                const ReplayResult r = runPassReplay(config);
                QString row;
                if (!r.failure.isEmpty()) {
                    ++failures;
                    row = QStringLiteral("| %1 | %2 | %3 | failed: %4 |\n")
                              .arg(wait)
                              .arg(baud)
                              .arg(poll)
                              .arg(r.failure);
                } else {
                    row =
                        QStringLiteral(
                            "| %1 | %2 | %3 | %4 | %5 | %6 | %7 | %8 | %9 | %10 | %11 | %12 | %13 | %14 |\n")
                            .arg(wait)
                            .arg(baud)
                            .arg(poll)
                            .arg(fixed(r.maxErrorHz))
                            .arg(fixed(r.rmsErrorHz))
                            .arg(fixed(r.bytesPerTick, 0))
                            .arg(fixed(r.msPerTick))
                            .arg(fixed(r.wireMsPerTick))
                            .arg(fixed(r.tickOverWire, 2))
                            .arg(QStringLiteral("%1%").arg(fixed(100.0 * r.ticksOverrun, 0)))
                            .arg(r.ticks)
                            .arg(QStringLiteral("%1 / %2").arg(fixed(r.latencyMeanMs),
                                                               fixed(r.latencyMaxMs, 0)))
                            .arg(fixed(r.roundTripMs + 10.0))
                            .arg(fixed(r.leadUsedMs, 0));
                }
                t << row;
                out << row;
                out.flush();
            }
        }
    }
    if (!writePath.isEmpty()) {
        const QString body = QStringLiteral("```\n%1\n```\n\n%2").arg(command, table);
        QString error;
        if (!writeSection(writePath, tag, body, &error)) {
            std::fprintf(stderr, "pass_replay: %s\n", qPrintable(error));
            return 1;
        }
    }
    return failures == 0 ? 0 : 1;
}
