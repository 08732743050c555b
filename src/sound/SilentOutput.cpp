#include "sound/SilentOutput.h"

#include "sound/SoundFiles.h"

#include <QFile>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <utility>

namespace vm {

bool SilentOutput::selected()
{
    return qEnvironmentVariable(Variable) == QLatin1String("silent");
}

SilentOutput::SilentOutput(QObject *parent) : QObject(parent), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (Finished f = std::exchange(m_finished, {}))
            f();
    });
}

bool SilentOutput::play(const QString &path, Finished finished)
{
    stop();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Only the length matters; a file that is not a WAV ends at once.
    constexpr qint64 HeadBytes = 64 * 1024;
    const qint64 ms = wavDurationMs(file.read(HeadBytes), file.size()).value_or(0);
    m_finished = std::move(finished);
    m_timer->start(int(std::min<qint64>(ms, std::numeric_limits<int>::max())));
    return true;
}

void SilentOutput::stop()
{
    m_timer->stop();
    m_finished = {};
}

} // namespace vm
