#pragma once

#include "sound/AudioDevices.h"

#include <QObject>

class QTimer;

namespace vm {

// A sound input without a sound card: a steady 1 kHz tone, handed over every
// 100 ms of real time. Chosen instead of the sound card on machines that have
// none (test stations), so that a recording still receives audio.
class GeneratedInput final : public QObject, public AudioInput {
public:
    // The environment variable that selects it, with the value "tone".
    static constexpr char Variable[] = "VELOMIRA_SOUND_INPUT";
    static bool selected();

    explicit GeneratedInput(QObject *parent = nullptr);
    bool start(int sampleRate, Samples onSamples) override;
    void stop() override;

private:
    QTimer *m_timer;
    int m_rate = 0;
    qint64 m_sample = 0;
    Samples m_onSamples;
};

} // namespace vm
