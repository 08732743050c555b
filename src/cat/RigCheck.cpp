#include "cat/RigCheck.h"

#include "cat/CivExchange.h"
#include "cat/CivProtocol.h"

#include <QElapsedTimer>

#include <algorithm>
#include <numeric>

namespace vm {

namespace {

constexpr qint64 BenchStepHz = 100; // the dial moves by this much between pairs

QString echoText(CivExchange::Echo echo)
{
    switch (echo) {
    case CivExchange::Echo::On:
        return QStringLiteral("on");
    case CivExchange::Echo::Off:
        return QStringLiteral("off");
    case CivExchange::Echo::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

QString ms(double ns)
{
    return QString::number(ns / 1e6, 'f', 2) + QStringLiteral(" ms");
}

} // namespace

RigCheck::RigCheck(QTextStream &out, QTextStream &err) : m_out(out), m_err(err) {}

int RigCheck::usage(const QString &why)
{
    m_err << "vmrig: " << why << "\n";
    return 2;
}

int RigCheck::noAnswer()
{
    m_err << "vmrig: no answer from the " << m_options.model << " on " << m_options.port
          << " (is it switched on, and are its CI-V address " << civ::hex2(m_driver->address())
          << " and baud rate " << m_options.baud << " the ones set here?)\n";
    return 1;
}

int RigCheck::run(const Options &options)
{
    m_options = options;
    const RigModelInfo *model = RigModels::find(options.model);
    if (!model || model->family != RigFamily::IcomCiv || !model->polled)
        return usage(
            QStringLiteral("%1 is not an Icom model this tool can ask (IC9700, IC9100, IC910, IC911, "
                           "IC821, IC705, IC7100, ICOM)")
                .arg(options.model));
    if (options.port.isEmpty())
        return usage(QStringLiteral("--port PATH is needed"));
    static const QStringList Rates{"1200", "4800", "9600", "19200", "38400", "57600", "115200"};
    if (!Rates.contains(options.baud))
        return usage(QStringLiteral("not a baud rate of the rigs: %1 (one of %2)")
                         .arg(options.baud, Rates.join(QStringLiteral(", "))));
    const QString address =
        options.address.isEmpty() ? civ::hex2(model->defaultCivAddress) : options.address.toUpper();
    if (!civ::parseAddress(address))
        return usage(QStringLiteral("not a CI-V address (two hexadecimal digits): %1").arg(options.address));
    if (options.command.isEmpty())
        return usage(QStringLiteral("no command; one of info, freq, mode, satellite, bench"));

    m_driver = std::make_unique<IcomDriver>(1, m_transport, m_context, m_hooks);
    m_driver->configure(options.port, options.baud, options.model, address);
    m_context.dopplerState = 3;
    if (!m_driver->openPortOnly()) {
        const PortProblem problem = m_transport.openProblem();
        m_err << "vmrig: "
              << (problem.kind == PortProblem::Kind::None
                      ? options.port + QStringLiteral(": cannot be opened")
                      : problem.message())
              << "\n";
        return 1;
    }
    const QString verb = options.command.first();
    const QStringList args = options.command.mid(1);
    int status = 2;
    if (verb == QLatin1String("info") && args.isEmpty())
        status = info();
    else if (verb == QLatin1String("freq"))
        status = frequency(args);
    else if (verb == QLatin1String("mode"))
        status = mode(args);
    else if (verb == QLatin1String("satellite"))
        status = satellite(args);
    else if (verb == QLatin1String("bench"))
        status = bench(args);
    else
        status = usage(QStringLiteral("unknown command: %1").arg(options.command.join(u' ')));
    m_driver->closePortOnly();
    return status;
}

void RigCheck::select(Band band)
{
    if (band == Band::A)
        m_driver->selectBandA();
    else
        m_driver->selectBandB();
}

bool RigCheck::bandOf(const QString &word, Band *band)
{
    const BandGroup group = m_driver->model().bandGroup;
    if (word == QLatin1String("main")) {
        // The IC821 receives on its sub band: 07 D0, its main band, is band "B".
        *band = group == BandGroup::Ic821 ? Band::B : Band::A;
        return true;
    }
    if (word == QLatin1String("sub") && group != BandGroup::SingleBand) {
        *band = group == BandGroup::Ic821 ? Band::A : Band::B;
        return true;
    }
    return false;
}

std::optional<qint64> RigCheck::readDial(Band band)
{
    select(band);
    m_driver->readFrequency(band);
    if (m_driver->port().pendingReplies() != 0)
        return std::nullopt;
    const bool transmit = band == Band::B && m_driver->model().bandGroup != BandGroup::SingleBand;
    return qint64(transmit ? m_context.txFrequency : m_context.rxFrequency);
}

std::optional<QString> RigCheck::readMode(Band band)
{
    select(band);
    m_driver->readMode(band);
    if (m_driver->port().pendingReplies() != 0)
        return std::nullopt;
    const bool transmit = band == Band::B && m_driver->model().bandGroup != BandGroup::SingleBand;
    return transmit ? m_driver->transmitMode() : m_driver->receiveMode();
}

int RigCheck::info()
{
    QStringList sides{QStringLiteral("main")};
    if (m_driver->model().bandGroup != BandGroup::SingleBand)
        sides << QStringLiteral("sub");
    QStringList lines;
    for (const QString &side : sides) {
        Band band = Band::A;
        bandOf(side, &band);
        const std::optional<qint64> hz = readDial(band);
        const std::optional<QString> mode = readMode(band);
        if (!hz || !mode)
            return noAnswer();
        lines << QStringLiteral("%1 %2 %3")
                     .arg(side)
                     .arg(*hz)
                     .arg(mode->isEmpty() ? QStringLiteral("?") : *mode);
    }
    m_driver->selectBandA();
    m_out << "model " << m_options.model << "\naddress " << civ::hex2(m_driver->address()) << "\necho "
          << echoText(m_driver->echo()) << "\n"
          << lines.join(u'\n') << "\n";
    return 0;
}

int RigCheck::frequency(const QStringList &args)
{
    Band band = Band::A;
    if (args.isEmpty() || args.size() > 2 || !bandOf(args.first(), &band))
        return usage(QStringLiteral("freq main|sub [HZ] (a single-band rig has only main)"));
    // With a frequency: set it, then read it back as without one.
    std::optional<qint64> wanted;
    if (args.size() == 2) {
        bool ok = false;
        const qint64 hz = args.at(1).toLongLong(&ok);
        if (!ok || hz <= 0 || !civ::frequencyDigits(hz, m_driver->model().frequencyDigits))
            return usage(QStringLiteral("not a frequency in hertz: %1").arg(args.at(1)));
        select(band);
        m_driver->setSelectedDial(hz);
        wanted = hz;
    }
    const std::optional<qint64> now = readDial(band);
    m_driver->selectBandA();
    if (!now)
        return noAnswer();
    if (wanted && *now != *wanted) {
        m_err << "vmrig: the rig did not take " << *wanted << " Hz on " << args.first() << " (it shows "
              << *now << "; outside the band?)\n";
        return 1;
    }
    m_out << args.first() << " " << *now << "\n";
    return 0;
}

int RigCheck::mode(const QStringList &args)
{
    Band band = Band::A;
    if (args.isEmpty() || args.size() > 2 || !bandOf(args.first(), &band))
        return usage(QStringLiteral("mode main|sub [MODE]"));
    // With a mode: set it, then read it back as without one.
    std::optional<QString> wanted;
    if (args.size() == 2) {
        // The names the rig's mode codes read back as, or the code itself.
        QString digit;
        QStringList names;
        for (quint8 code = 0; code <= 8; ++code) {
            const QString name = civ::modeName(code, m_driver->model().bandGroup).value_or(QString());
            if (name.isEmpty())
                continue;
            names << name;
            if (name.compare(args.at(1), Qt::CaseInsensitive) == 0 || args.at(1) == QString::number(code))
                digit = QString::number(code);
        }
        if (digit.isEmpty())
            return usage(QStringLiteral("not a mode of the %1: %2 (one of %3)")
                             .arg(m_options.model, args.at(1), names.join(QStringLiteral(", "))));
        m_driver->setMode(band, digit);
        wanted = civ::modeName(quint8(digit.toInt()), m_driver->model().bandGroup).value_or(QString());
    }
    const std::optional<QString> now = readMode(band);
    m_driver->selectBandA();
    if (!now)
        return noAnswer();
    if (wanted && *now != *wanted) {
        m_err << "vmrig: the rig did not take " << *wanted << " on " << args.first() << " (it shows " << *now
              << ")\n";
        return 1;
    }
    m_out << args.first() << " " << *now << "\n";
    return 0;
}

int RigCheck::satellite(const QStringList &args)
{
    if (args.size() != 1 || (args.first() != QLatin1String("on") && args.first() != QLatin1String("off")))
        return usage(QStringLiteral("satellite on|off"));
    if (!m_driver->setSatelliteMode(args.first() == QLatin1String("on")))
        return usage(QStringLiteral("the %1 has no satellite mode").arg(m_options.model));
    if (m_driver->port().pendingReplies() != 0)
        return noAnswer();
    m_out << "satellite " << args.first() << "\n";
    return 0;
}

int RigCheck::bench(const QStringList &args)
{
    bool ok = false;
    const int pairs = args.size() == 1 ? args.first().toInt(&ok) : 0;
    if (!ok || pairs < 1 || pairs > 1'000'000)
        return usage(QStringLiteral("bench N (N pairs of frequency set + read, 1 to 1000000)"));
    // The main dial, selected once: each pair is one 05 set and one 03 read.
    const std::optional<qint64> start = readDial(Band::A);
    if (!start)
        return noAnswer();
    QList<qint64> times;
    times.reserve(pairs);
    int failed = 0;
    QElapsedTimer clock;
    for (int i = 0; i < pairs; ++i) {
        const qint64 hz = *start + (i % 2 == 0 ? BenchStepHz : 0);
        clock.start();
        m_driver->setSelectedDial(hz);
        m_driver->readFrequency(Band::A);
        times << clock.nsecsElapsed();
        if (m_driver->port().pendingReplies() != 0 || qint64(m_context.rxFrequency) != hz) {
            m_err << "vmrig: pair " << (i + 1) << " failed: set " << hz << " Hz, read "
                  << qint64(m_context.rxFrequency) << "\n";
            m_driver->port().replyParsed(); // counted here; the port is not given up over it
            ++failed;
        }
    }
    m_driver->setSelectedDial(*start);

    // Bus time of one pair: both frames and both answers (the echo is the
    // frame itself on the bus), each byte 1 start + 8 data + stop bits.
    const quint8 address = m_driver->address();
    const QByteArray setFrame = civ::frame(
        address, QByteArray(1, char(0x05)) + civ::frequencyToBcd(*civ::frequencyDigits(*start, 10)));
    const QByteArray readFrame = civ::frame(address, QByteArray(1, char(0x03)));
    const int busBytes = int(setFrame.size()) + CivExchange::AcknowledgementLength + int(readFrame.size()) +
                         civ::ReadFrequencyLength - int(readFrame.size());
    const int bitsPerByte = 1 + 8 + m_driver->port().stopBits();
    const double wireNs = busBytes * bitsPerByte * 1e9 / m_options.baud.toDouble();

    std::vector<qint64> sorted(times.begin(), times.end());
    std::sort(sorted.begin(), sorted.end());
    const double mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / double(sorted.size());
    const double median = sorted.size() % 2 == 1
                              ? double(sorted[sorted.size() / 2])
                              : (sorted[sorted.size() / 2 - 1] + sorted[sorted.size() / 2]) / 2.0;
    m_out << "bench " << pairs << " pairs of 05 set + 03 read on " << m_options.port << " at "
          << m_options.baud << " baud, echo " << echoText(m_driver->echo()) << "\n"
          << "mean " << ms(mean) << "  median " << ms(median) << "  worst " << ms(double(sorted.back()))
          << " per pair\n"
          << "wire " << ms(wireNs) << " per pair (" << busBytes << " bytes on the bus)  mean/wire "
          << QString::number(mean / wireNs, 'f', 2) << "\n";
    if (failed > 0) {
        m_out << "failed " << failed << " of " << pairs << " pairs\n";
        return 1;
    }
    return 0;
}

} // namespace vm
