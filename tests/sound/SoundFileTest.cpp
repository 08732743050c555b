#include "FakeAudio.h"
#include "WavCheck.h"
#include "sound/FileSound.h"
#include "sound/SoundFiles.h"
#include "sound/WavWriter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vm;

TEST(WavWriter, HeaderStaysValidWhileTheFileGrows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.wav"));
    WavWriter w;
    ASSERT_TRUE(w.open(path, 11025));
    EXPECT_TRUE(WavCheck::of(path).valid);
    qint64 total = 0;
    for (int size : {1, 3, 400, 7, 1000}) { // odd sizes split samples across blocks
        ASSERT_TRUE(w.write(QByteArray(size, '\x11')));
        total += size;
        const WavCheck c = WavCheck::of(path); // read while still open, as after a kill
        EXPECT_TRUE(c.valid);
        EXPECT_EQ(c.dataBytes, quint32(total & ~1));
        EXPECT_EQ(c.rate, 11025u);
        EXPECT_EQ(c.channels, 1);
        EXPECT_EQ(c.bits, 16);
    }
    // A limit stops the file there.
    WavWriter limited;
    ASSERT_TRUE(limited.open(dir.filePath("b.wav"), 8000));
    limited.setLimit(100);
    EXPECT_TRUE(limited.write(QByteArray(60, 'x')));
    EXPECT_FALSE(limited.write(QByteArray(60, 'x')));
    EXPECT_EQ(WavCheck::of(dir.filePath("b.wav")).dataBytes, 100u);
}

TEST(SoundFiles, NamesAndKinds)
{
    const QDateTime when(QDate(2016, 1, 1), QTime(9, 5));
    EXPECT_EQ(recordingPath("/r", "FO-29", when), "/r/FO-29_201601010905.wav");
    EXPECT_EQ(recordingPath("/r", "../x/y", when), "/r/..-x-y_201601010905.wav");
    for (const char *yes : {"a.wav", "B.Mp3", "c.MID", "d.wma", "e.WMV"})
        EXPECT_TRUE(isSoundFile(yes)) << yes;
    for (const char *no : {"a.txt", "", "wav"})
        EXPECT_FALSE(isSoundFile(no)) << no;
}

TEST(FileSound, RecordsGeneratedAudioUpToTheLimit)
{
    QTemporaryDir dir;
    FakeInput in;
    FakeOutput out;
    FileSound sound(in, out, [] { return 100; }); // 100 Hz: 16-bit mono for the limit's minutes
    const QString path = dir.filePath("r.wav");
    sound.startRecording(path);
    ASSERT_TRUE(in.running);
    EXPECT_EQ(in.rate, 100);
    for (int i = 0; i < 200 && in.running; ++i)
        in.push(1000);
    EXPECT_FALSE(in.running);
    EXPECT_FALSE(sound.isRecording());
    const WavCheck c = WavCheck::of(path);
    EXPECT_TRUE(c.valid);
    EXPECT_EQ(c.dataBytes, quint32(100 * 2 * 60 * RecordingLimitMinutes));
}

TEST(FileSound, PlayingReplacesThePreviousFileAndIgnoresOtherFiles)
{
    FakeInput in;
    FakeOutput out;
    FileSound sound(in, out, [] { return 11025; });
    sound.playFile(QStringLiteral("notice.txt"));
    sound.playFile(QStringLiteral("a.wav"));
    sound.playRecording(QStringLiteral("b.WAV"));
    sound.stopPlaying();
    sound.stopPlaying();
    EXPECT_EQ(out.log, (QStringList{"play a.wav", "stop", "play b.WAV", "stop"}));

    // Only a recording played to its end is reported, once; the notice sound
    // and a stopped file are not.
    int ended = 0;
    sound.playbackEnded = [&] { ++ended; };
    sound.playFile(QStringLiteral("notice.wav"));
    out.end();
    sound.playRecording(QStringLiteral("pass.wav"));
    out.end();
    out.end();
    EXPECT_FALSE(sound.isPlaying());
    sound.playRecording(QStringLiteral("pass.wav"));
    sound.stopPlaying();
    out.end();
    EXPECT_EQ(ended, 1);
}

TEST(SoundFiles, WavDurationFromTheHead)
{
    const auto chunk = [](const char *id, const QByteArray &body) {
        QByteArray c(id, 4);
        c.append(char(body.size() & 0xFF)).append(char(body.size() >> 8)).append(2, '\0').append(body);
        return body.size() % 2 ? c.append('\0') : c;
    };
    // Mono 16-bit at 8000 Hz: 16000 bytes a second.
    const QByteArray fmt = QByteArray::fromHex("0100 0100 401F0000 803E0000 0200 1000");
    const QByteArray data = chunk("data", QByteArray(4000, '\1'));
    const auto wav = [](const QByteArray &chunks) { return QByteArray("RIFF\0\0\0\0WAVE", 12) + chunks; };
    struct Case {
        QByteArray head;
        qint64 fileSize; // -1: the head is the whole file
        std::optional<qint64> ms;
    } cases[] = {
        {wav(chunk("fmt ", fmt) + data), -1, 250},
        {wav(chunk("LIST", "odd") + chunk("fmt ", fmt) + data), -1, 250}, // padded chunk before
        {wav(chunk("fmt ", fmt) + data).left(44), 44 + 1600, 100},        // data cut short
        {wav(chunk("fmt ", fmt) + data), 1'000'000, 250},                 // more after the data
        {wav(data), -1, std::nullopt},                                    // no format
        {wav(chunk("fmt ", fmt)), -1, std::nullopt},                      // no data
        {"RIFX" + wav(chunk("fmt ", fmt) + data).mid(4), -1, std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(wavDurationMs(c.head, c.fileSize < 0 ? c.head.size() : c.fileSize), c.ms)
            << c.head.toHex().toStdString();
}
