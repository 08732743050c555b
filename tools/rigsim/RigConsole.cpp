#include "rigsim/RigConsole.h"

#include <QStringList>

#include <optional>

namespace vm::sim {

namespace {

std::optional<RigSide> parseSide(const QString &text)
{
    const QString side = text.toLower();
    if (side == QLatin1String("main") || side == QLatin1String("a"))
        return RigSide::Main;
    if (side == QLatin1String("sub") || side == QLatin1String("b"))
        return RigSide::Sub;
    return std::nullopt;
}

QString onOff(bool on)
{
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

QString failureName(FailureMode mode)
{
    switch (mode) {
    case FailureMode::None:
        return QStringLiteral("none");
    case FailureMode::Silent:
        return QStringLiteral("silent");
    case FailureMode::Short:
        return QStringLiteral("short");
    case FailureMode::Garbage:
        return QStringLiteral("garbage");
    case FailureMode::RejectAll:
        return QStringLiteral("reject");
    }
    return {};
}

QString listing(const QStringList &lines)
{
    QString out = QStringLiteral("OK %1").arg(lines.size());
    for (const QString &line : lines)
        out += QLatin1Char('\n') + line;
    return out;
}

} // namespace

RigConsole::RigConsole(ConsoleRig &rig, int baudRate) : m_rig(rig), m_baud(baudRate) {}

QString RigConsole::help()
{
    return QStringLiteral(
        "Commands (one per line; answers start with OK or ERR, listings with \"OK <n>\" and n lines):\n"
        "  status                      model, address, power, satellite mode, split, selected band,\n"
        "                              failure mode and both dials\n"
        "  dial main|sub [HZ]          read a dial (HZ MODE FILTER DATA) or turn it to HZ\n"
        "  mode main|sub MODE [FILTER] change the mode (LSB USB AM CW RTTY FM WFM CW-R RTTY-R DV DD)\n"
        "  power [on|off]              read or switch the power\n"
        "  echo on|off                 the CI-V echo\n"
        "  log                         every CI-V frame received: address, command, data, answer\n"
        "  clear                       empty the log\n"
        "  cw                          texts keyed with command 17\n"
        "  memory N                    satellite memory N: downlink Hz, uplink Hz, name\n"
        "  silent | short | garbage | reject\n"
        "                              fall silent, answer one byte short, answer noise, answer NG\n"
        "  resume                      answer normally again\n"
        "  quit                        end the program\n"
        "For a single-band rig main is the VFO in use and sub the other one.");
}

QString RigConsole::status() const
{
    QStringList parts;
    parts << QStringLiteral("model=%1").arg(m_rig.modelId());
    if (m_baud > 0)
        parts << QStringLiteral("baud=%1").arg(m_baud);
    parts << QStringLiteral("power=%1").arg(onOff(m_rig.powered()));
    parts << m_rig.statusDetails();
    parts << QStringLiteral("failure=%1").arg(failureName(m_rig.failureMode()));
    parts << QStringLiteral("commands=%1").arg(m_rig.logLines().size());
    parts << QStringLiteral("main=%1").arg(
        m_rig.dialText(RigSide::Main).replace(QLatin1Char(' '), QLatin1Char('/')));
    parts << QStringLiteral("sub=%1").arg(
        m_rig.dialText(RigSide::Sub).replace(QLatin1Char(' '), QLatin1Char('/')));
    return QStringLiteral("OK ") + parts.join(QLatin1Char(' '));
}

QString RigConsole::handle(const QString &line, bool *quit)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return QStringLiteral("ERR empty command");
    const QString verb = words.first().toLower();
    const qsizetype args = words.size() - 1;

    if (verb == QLatin1String("help"))
        return QStringLiteral("OK\n") + help();
    if (verb == QLatin1String("status"))
        return status();
    if (verb == QLatin1String("quit") || verb == QLatin1String("exit")) {
        if (quit)
            *quit = true;
        return QStringLiteral("OK");
    }
    if (verb == QLatin1String("dial") || verb == QLatin1String("mode")) {
        if (args < 1)
            return QStringLiteral("ERR %1 needs main or sub").arg(verb);
        const auto side = parseSide(words.at(1));
        if (!side)
            return QStringLiteral("ERR unknown side %1 (main or sub)").arg(words.at(1));
        if (verb == QLatin1String("dial")) {
            if (args == 1)
                return QStringLiteral("OK ") + m_rig.dialText(*side);
            bool ok = false;
            const qint64 hz = words.at(2).toLongLong(&ok);
            if (!ok || hz <= 0)
                return QStringLiteral("ERR not a frequency in hertz: %1").arg(words.at(2));
            if (!m_rig.turnDial(*side, hz))
                return QStringLiteral("ERR %1 cannot tune %2 Hz there").arg(m_rig.modelId()).arg(hz);
            return QStringLiteral("OK ") + m_rig.dialText(*side);
        }
        if (args < 2)
            return QStringLiteral("OK ") + m_rig.dialText(*side);
        const QString error = m_rig.changeMode(*side, words.mid(2));
        if (!error.isEmpty())
            return QStringLiteral("ERR ") + error;
        return QStringLiteral("OK ") + m_rig.dialText(*side);
    }
    if (verb == QLatin1String("power") || verb == QLatin1String("echo")) {
        const bool isPower = verb == QLatin1String("power");
        if (args >= 1) {
            const QString value = words.at(1).toLower();
            if (value != QLatin1String("on") && value != QLatin1String("off"))
                return QStringLiteral("ERR %1 takes on or off").arg(verb);
            if (isPower)
                m_rig.setPowered(value == QLatin1String("on"));
            else if (!m_rig.setEcho(value == QLatin1String("on")))
                return QStringLiteral("ERR %1 has no echo to switch").arg(m_rig.modelId());
        }
        return QStringLiteral("OK ") + onOff(isPower ? m_rig.powered() : m_rig.echoSetting());
    }
    if (verb == QLatin1String("log")) {
        return listing(m_rig.logLines());
    }
    if (verb == QLatin1String("clear")) {
        m_rig.clearCommands();
        return QStringLiteral("OK");
    }
    if (verb == QLatin1String("cw"))
        return listing(m_rig.cwSent());
    if (verb == QLatin1String("memory")) {
        const QString text = args == 1 ? m_rig.memoryText(words.at(1).toInt()) : QString();
        if (text.isEmpty())
            return QStringLiteral("ERR memory N (1-99) of a rig with satellite memories");
        return QStringLiteral("OK ") + text;
    }
    const std::pair<const char *, FailureMode> failures[] = {{"silent", FailureMode::Silent},
                                                             {"short", FailureMode::Short},
                                                             {"garbage", FailureMode::Garbage},
                                                             {"reject", FailureMode::RejectAll},
                                                             {"resume", FailureMode::None}};
    for (const auto &[name, mode] : failures) {
        if (verb == QLatin1String(name)) {
            m_rig.setFailureMode(mode);
            return QStringLiteral("OK");
        }
    }
    return QStringLiteral("ERR unknown command %1 (try help)").arg(words.first());
}

} // namespace vm::sim
