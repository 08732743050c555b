#pragma once

#include "sound/AudioDevices.h"

#include <QStringList>
#include <QtEndian>
#include <cmath>
#include <utility>

// Generated audio in place of a sound card: push() hands a block of a tone
// to whoever started the input.
struct FakeInput final : vm::AudioInput {
    bool start(int rate, Samples s) override
    {
        this->rate = rate;
        samples = std::move(s);
        running = true;
        return true;
    }
    void stop() override { running = false; }
    void push(int count)
    {
        QByteArray pcm(count * 2, Qt::Uninitialized);
        for (int i = 0; i < count; ++i, ++phase)
            qToLittleEndian(qint16(8000 * std::sin(phase * 0.2)), pcm.data() + 2 * i);
        if (running)
            samples(pcm);
    }
    Samples samples;
    int rate = 0;
    long phase = 0;
    bool running = false;
};

struct FakeOutput final : vm::AudioOutput {
    bool play(const QString &path, Finished f) override
    {
        log << QStringLiteral("play ") + path;
        finished = std::move(f);
        return true;
    }
    void stop() override
    {
        log << QStringLiteral("stop");
        finished = {};
    }
    // The file playing has reached its end.
    void end()
    {
        if (Finished f = std::exchange(finished, {}))
            f();
    }
    QStringList log;
    Finished finished;
};
