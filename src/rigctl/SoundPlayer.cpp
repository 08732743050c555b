#include "rigctl/SoundPlayer.h"

#include <QDebug>

namespace vm {

void UnavailableSound::refuse(const char *what)
{
    ++m_requests;
    qInfo().noquote() << "tunavox: sound is not available on this system; ignored:" << what;
}

void UnavailableSound::playFile(const QString &path)
{
    refuse(qPrintable(QStringLiteral("play ") + path));
}

void UnavailableSound::stopPlaying()
{
    refuse("stop playing");
}

void UnavailableSound::startRecording()
{
    refuse("start recording");
}

void UnavailableSound::stopRecording()
{
    refuse("stop recording");
}

void UnavailableSound::playRecording()
{
    refuse("play the recording");
}

} // namespace vm
