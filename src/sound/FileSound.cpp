#include "sound/FileSound.h"

#include "sound/SoundFiles.h"

#include <QDebug>

namespace vm {

FileSound::FileSound(AudioInput &input, AudioOutput &output, Rate sampleRate)
    : m_input(input), m_output(output), m_rate(std::move(sampleRate))
{
}

FileSound::~FileSound()
{
    stopRecording();
    stopPlaying();
}

void FileSound::startRecording(const QString &path)
{
    stopRecording();
    const int rate = m_rate ? m_rate() : 0;
    if (rate <= 0) {
        qWarning().noquote() << "tunavox: no usable recording sample rate";
        return;
    }
    if (!m_writer.open(path, rate)) {
        qWarning().noquote() << "tunavox: cannot create the recording" << path << m_writer.errorString();
        return;
    }
    m_writer.setLimit(recordingLimitBytes(rate));
    m_recording = m_input.start(rate, [this](const QByteArray &pcm) {
        if (m_recording && !m_writer.write(pcm))
            stopRecording(); // limit reached, or the disk refused
    });
    if (!m_recording) {
        qWarning().noquote() << "tunavox: no sound input for recording";
        m_writer.close();
    }
}

void FileSound::stopRecording()
{
    if (!m_recording)
        return;
    m_recording = false;
    m_input.stop();
    m_writer.close();
}

void FileSound::play(const QString &path, bool quiet)
{
    stopPlaying();
    if (!isSoundFile(path)) {
        if (!quiet)
            qWarning().noquote() << "tunavox: not a sound file:" << path;
        return;
    }
    m_playing = m_output.play(path, [this, quiet] {
        m_playing = false;
        if (!quiet && playbackEnded)
            playbackEnded();
    });
    if (!m_playing)
        qWarning().noquote() << "tunavox: cannot play" << path;
}

void FileSound::playFile(const QString &path)
{
    play(path, true);
}

void FileSound::playRecording(const QString &path)
{
    play(path, false);
}

void FileSound::stopPlaying()
{
    if (!m_playing)
        return;
    m_playing = false;
    m_output.stop();
}

} // namespace vm
