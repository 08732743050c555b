#include "sound/GeneratedInput.h"

#include <QTimer>
#include <QtEndian>

#include <cmath>
#include <numbers>

namespace vm {

namespace {
constexpr int BlockMs = 100;
constexpr double ToneHz = 1000;
constexpr double Amplitude = 8000;
} // namespace

bool GeneratedInput::selected()
{
    return qEnvironmentVariable(Variable) == QLatin1String("tone");
}

GeneratedInput::GeneratedInput(QObject *parent) : QObject(parent), m_timer(new QTimer(this))
{
    m_timer->setInterval(BlockMs);
    connect(m_timer, &QTimer::timeout, this, [this] {
        const int count = m_rate * BlockMs / 1000;
        QByteArray pcm(count * 2, Qt::Uninitialized);
        for (int i = 0; i < count; ++i, ++m_sample) {
            const double phase = 2 * std::numbers::pi * ToneHz * double(m_sample) / m_rate;
            qToLittleEndian(qint16(std::lround(Amplitude * std::sin(phase))), pcm.data() + 2 * i);
        }
        if (m_onSamples)
            m_onSamples(pcm); // may stop() us
    });
}

bool GeneratedInput::start(int sampleRate, Samples onSamples)
{
    if (sampleRate <= 0)
        return false;
    m_rate = sampleRate;
    m_sample = 0;
    m_onSamples = std::move(onSamples);
    m_timer->start();
    return true;
}

void GeneratedInput::stop()
{
    m_timer->stop();
    m_onSamples = nullptr;
}

} // namespace vm
