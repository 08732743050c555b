#include "sound/SoundPlayer.h"

#include <QDebug>

namespace vm {

void UnavailableSound::refuse(const QString &what)
{
    ++m_requests;
    qInfo().noquote() << "tunavox: sound is not available on this system; ignored:" << what;
}

void UnavailableSound::playFile(const QString &path)
{
    refuse(QStringLiteral("play ") + path);
}

void UnavailableSound::stopPlaying()
{
    refuse(QStringLiteral("stop playing"));
}

void UnavailableSound::startRecording(const QString &path)
{
    refuse(QStringLiteral("record to ") + path);
}

void UnavailableSound::stopRecording()
{
    refuse(QStringLiteral("stop recording"));
}

void UnavailableSound::playRecording(const QString &path)
{
    refuse(QStringLiteral("play back ") + path);
}

} // namespace vm
