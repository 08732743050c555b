#include "sound/qt/QtAudio.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QAudioSource>
#include <QDebug>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

#include <utility>

namespace vm {

namespace {

QAudioDevice chosen(const QList<QAudioDevice> &devices, const QString &name, const QAudioDevice &fallback)
{
    for (const QAudioDevice &d : devices) {
        if (!name.isEmpty() && d.description() == name)
            return d;
    }
    if (!name.isEmpty())
        qWarning().noquote() << "sound device not found, using the default:" << name;
    return fallback;
}

QStringList names(const QList<QAudioDevice> &devices)
{
    QStringList out;
    for (const QAudioDevice &d : devices)
        out << d.description();
    return out;
}

} // namespace

QtAudioInput::QtAudioInput(const QString &deviceName, QObject *parent)
    : QObject(parent), m_deviceName(deviceName)
{
}

QtAudioInput::~QtAudioInput()
{
    stop();
}

bool QtAudioInput::start(int sampleRate, Samples onSamples)
{
    stop();
    const QAudioDevice device =
        chosen(QMediaDevices::audioInputs(), m_deviceName, QMediaDevices::defaultAudioInput());
    if (device.isNull())
        return false;
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    m_onSamples = std::move(onSamples);
    m_source = new QAudioSource(device, format, this);
    m_io = m_source->start();
    if (!m_io || m_source->error() != QAudio::NoError) {
        stop();
        return false;
    }
    connect(m_io, &QIODevice::readyRead, this, [this] {
        if (m_io && m_onSamples)
            m_onSamples(m_io->readAll()); // may stop() us
    });
    return true;
}

void QtAudioInput::stop()
{
    m_io = nullptr;
    if (m_source) {
        m_source->stop();
        m_source->deleteLater(); // stop() may be called from the source's own signal
        m_source = nullptr;
    }
}

QtAudioOutput::QtAudioOutput(const QString &deviceName, QObject *parent)
    : QObject(parent), m_deviceName(deviceName)
{
}

QtAudioOutput::~QtAudioOutput() = default;

bool QtAudioOutput::play(const QString &path, Finished finished)
{
    m_finished = {};
    const QAudioDevice device =
        chosen(QMediaDevices::audioOutputs(), m_deviceName, QMediaDevices::defaultAudioOutput());
    if (device.isNull())
        return false;
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_audio = new QAudioOutput(this);
        m_player->setAudioOutput(m_audio);
        // The end of the file, or a file the backend cannot play after all.
        const auto done = [this] {
            if (Finished f = std::exchange(m_finished, {}))
                f();
        };
        connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [done](QMediaPlayer::MediaStatus status) {
            if (status == QMediaPlayer::EndOfMedia || status == QMediaPlayer::InvalidMedia)
                done();
        });
        connect(m_player, &QMediaPlayer::errorOccurred, this, done);
    }
    m_audio->setDevice(device);
    m_player->setSource(QUrl::fromLocalFile(path));
    m_player->play();
    // Set only now: a failure inside play() is this call's answer, not an end.
    if (m_player->error() != QMediaPlayer::NoError)
        return false;
    m_finished = std::move(finished);
    return true;
}

void QtAudioOutput::stop()
{
    m_finished = {};
    if (!m_player)
        return;
    m_player->stop();
    m_player->setSource({});
}

QStringList audioInputNames()
{
    return names(QMediaDevices::audioInputs());
}

QStringList audioOutputNames()
{
    return names(QMediaDevices::audioOutputs());
}

} // namespace vm
