#include "platform/WarningRate.h"

#include <algorithm>

namespace vm {

WarningRate::WarningRate(int perWindow, qint64 windowMs)
    : m_perWindow(std::max(perWindow, 0)), m_windowMs(std::max<qint64>(windowMs, 1))
{
}

QString WarningRate::summary()
{
    if (m_suppressed == 0)
        return QString();
    const QString line = QStringLiteral("%1 more like warnings in the last %2 s were not written (%3 in all)")
                             .arg(m_suppressed)
                             .arg(m_windowMs / 1000)
                             .arg(m_suppressedTotal);
    m_suppressed = 0;
    return line;
}

QString WarningRate::due(qint64 nowMs)
{
    if (!m_started || nowMs - m_windowStart < m_windowMs)
        return QString();
    m_started = false;
    m_inWindow = 0;
    return summary();
}

QString WarningRate::flush()
{
    return summary();
}

QStringList WarningRate::note(const QString &line, qint64 nowMs)
{
    QStringList out;
    if (const QString s = due(nowMs); !s.isEmpty())
        out << s;
    if (!m_started) {
        m_started = true;
        m_windowStart = nowMs;
    }
    if (m_inWindow < m_perWindow) {
        ++m_inWindow;
        out << line;
    } else {
        ++m_suppressed;
        ++m_suppressedTotal;
    }
    return out;
}

} // namespace vm
