#pragma once

#include "sound/AudioDevices.h"

#include <QObject>

class QTimer;

namespace vm {

// A sound output without a sound card: a WAV file "plays" silently for as long
// as its sound lasts, and then it has finished, as on a card. Chosen instead
// of the sound card on machines that have none (test stations), so that the
// end of a playback still reaches the panel.
class SilentOutput final : public QObject, public AudioOutput {
public:
    // The environment variable that selects it, with the value "silent".
    static constexpr char Variable[] = "VELOMIRA_SOUND_OUTPUT";
    static bool selected();

    explicit SilentOutput(QObject *parent = nullptr);
    bool play(const QString &path, Finished finished) override;
    void stop() override;

private:
    QTimer *m_timer;
    Finished m_finished;
};

} // namespace vm
