#include "ProcessTools.h"
#include "WavCheck.h"
#include "sound/WavWriter.h"
#include "sound/qt/QtAudio.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMediaPlayer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vm;

TEST(QtSound, PlaysAWavFileOnTheRealBackend)
{
    test::ensureApplication();
    if (audioOutputNames().isEmpty())
        GTEST_SKIP() << "no sound output device";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tone.wav"));
    {
        WavWriter w;
        ASSERT_TRUE(w.open(path, 8000));
        w.write(QByteArray(8000, '\0'));
    }
    QtAudioOutput out;
    bool ended = false;
    ASSERT_TRUE(out.play(path, [&] { ended = true; }));
    // Half a second of sound plays to its end.
    QDeadlineTimer deadline(30000);
    while (!ended && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(ended);
    EXPECT_EQ(out.player()->error(), QMediaPlayer::NoError) << out.player()->errorString().toStdString();
    out.stop();
}
