#pragma once

#include "sound/AudioDevices.h"

#include <QObject>
#include <QPointer>

class QAudioSource;
class QAudioOutput;
class QIODevice;
class QMediaPlayer;

namespace vm {

// Sound card input through Qt Multimedia. The device is the one whose
// description equals the configured name, the system default otherwise.
class QtAudioInput final : public QObject, public AudioInput {
public:
    explicit QtAudioInput(const QString &deviceName = {}, QObject *parent = nullptr);
    ~QtAudioInput() override;
    bool start(int sampleRate, Samples onSamples) override;
    void stop() override;

private:
    QString m_deviceName;
    QPointer<QAudioSource> m_source;
    QIODevice *m_io = nullptr;
    Samples m_onSamples;
};

// File playback through Qt Multimedia on the configured output device.
class QtAudioOutput final : public QObject, public AudioOutput {
public:
    explicit QtAudioOutput(const QString &deviceName = {}, QObject *parent = nullptr);
    ~QtAudioOutput() override;
    bool play(const QString &path, Finished finished) override;
    void stop() override;
    // Created at the first play: loading the media backend takes time that
    // the program's start need not spend.
    QMediaPlayer *player() const { return m_player; }

private:
    QString m_deviceName;
    QMediaPlayer *m_player = nullptr;
    QAudioOutput *m_audio = nullptr;
    Finished m_finished;
};

// Descriptions of the devices present, for the settings form.
QStringList audioInputNames();
QStringList audioOutputNames();

} // namespace vm
