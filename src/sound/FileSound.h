#pragma once

#include "sound/AudioDevices.h"
#include "sound/SoundPlayer.h"
#include "sound/WavWriter.h"

#include <functional>

namespace vm {

// The controller's sound: records the input to a WAV file (mono, 16-bit, the
// configured rate, at most the recording limit) and plays files on the output.
// The rate is asked for at the start of each recording, so a changed setting
// applies to the next one.
class FileSound final : public SoundPlayer {
public:
    using Rate = std::function<int()>;
    FileSound(AudioInput &input, AudioOutput &output, Rate sampleRate);
    ~FileSound() override;

    void playFile(const QString &path) override;
    void stopPlaying() override;
    void startRecording(const QString &path) override;
    void stopRecording() override;
    void playRecording(const QString &path) override;

    bool isRecording() const { return m_recording; }
    bool isPlaying() const { return m_playing; }

private:
    void play(const QString &path, bool quiet);

    AudioInput &m_input;
    AudioOutput &m_output;
    Rate m_rate;
    WavWriter m_writer;
    bool m_recording = false;
    bool m_playing = false;
};

} // namespace vm
