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

// Where sound files are played. `finished` runs once when the file has played
// to its end or the output gave up on it part way, never after stop() or a
// later play().
class AudioOutput {
public:
    using Finished = std::function<void()>;
    virtual ~AudioOutput() = default;
    virtual bool play(const QString &path, Finished finished) = 0;
    virtual void stop() = 0;
};

} // namespace vm
