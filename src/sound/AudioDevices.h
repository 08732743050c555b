#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace vm {

// Where recorded audio comes from: mono 16-bit little-endian samples at the
// requested rate, handed over block by block.
class AudioInput {
public:
    using Samples = std::function<void(const QByteArray &pcm)>;
    virtual ~AudioInput() = default;
    virtual bool start(int sampleRate, Samples onSamples) = 0;
    virtual void stop() = 0;
};

// Where sound files are played.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    virtual bool play(const QString &path) = 0;
    virtual void stop() = 0;
};

} // namespace vm
