// Cost of the CI-V work of one control tick without the wire: building the
// frames the Doppler loop sends and taking apart the replies it reads.

#include "cat/CivProtocol.h"
#include "cat/RigModel.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QString>

namespace {

using namespace vm;

constexpr quint8 kAddress = 0xA2; // IC-9700

// Frequency set as the loop sends it: digits, BCD, frame.
void buildFrequencyFrame(benchmark::State &state)
{
    qint64 hz = 145'935'000;
    for (auto _ : state) {
        const std::optional<QString> digits = civ::frequencyDigits(hz, 10);
        const QByteArray body = QByteArray(1, char(0x05)) + civ::frequencyToBcd(*digits);
        QByteArray f = civ::frame(kAddress, body);
        benchmark::DoNotOptimize(f);
        hz += 7; // a new dial every time, as during a pass
    }
}
BENCHMARK(buildFrequencyFrame);

// A short command frame (band selection, frequency and mode reads).
void buildShortFrame(benchmark::State &state)
{
    const char body[] = {0x07, char(0xD1)};
    for (auto _ : state) {
        QByteArray f = civ::frame(kAddress, QByteArrayView(body, 2));
        benchmark::DoNotOptimize(f);
    }
}
BENCHMARK(buildShortFrame);

// The frequency poll's read: echo of FE FE A2 E0 03 FD, then the answer
// FE FE E0 A2 03 <5 BCD> FD; find the answer and decode it.
void parseFrequencyReply(benchmark::State &state)
{
    const QByteArray echo = civ::frame(kAddress, QByteArray(1, char(0x03)));
    QByteArray answer = QByteArray::fromHex("FEFEE0A203");
    answer += civ::frequencyToBcd(QStringLiteral("0435610000"));
    answer += char(0xFD);
    const QByteArray reply = echo + answer;
    const QByteArray command(1, char(0x03));
    for (auto _ : state) {
        const qsizetype at = civ::findAnswer(reply, kAddress, command);
        std::optional<qint64> hz = civ::frequencyFromBcd(QByteArrayView(reply).sliced(at, 5));
        benchmark::DoNotOptimize(hz);
    }
}
BENCHMARK(parseFrequencyReply);

// The mode poll's read: echo, then FE FE E0 A2 04 <mode> <filter> FD.
void parseModeReply(benchmark::State &state)
{
    const QByteArray reply =
        civ::frame(kAddress, QByteArray(1, char(0x04))) + QByteArray::fromHex("FEFEE0A2040101FD");
    const QByteArray command(1, char(0x04));
    for (auto _ : state) {
        const qsizetype at = civ::findAnswer(reply, kAddress, command);
        std::optional<QString> mode = civ::modeName(quint8(reply.at(at)), BandGroup::TwinBand);
        benchmark::DoNotOptimize(mode);
    }
}
BENCHMARK(parseModeReply);

// A garbled read: the search runs over the whole buffer and finds nothing.
void parseGarbledReply(benchmark::State &state)
{
    QByteArray reply(17, char(0xFE));
    const QByteArray command(1, char(0x03));
    for (auto _ : state) {
        qsizetype at = civ::findAnswer(reply, kAddress, command);
        benchmark::DoNotOptimize(at);
    }
}
BENCHMARK(parseGarbledReply);

} // namespace
