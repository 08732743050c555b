#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace vm {

// Keeps a flood of like warnings (frames refused from misbehaving peers) out
// of the log: within each window (a minute) the first few are written as
// they come, the rest only counted; the count is written as one summary line
// when the next window begins or at the end. Times are milliseconds on any
// monotonic scale, given by the caller.
class WarningRate {
public:
    static constexpr int DefaultPerWindow = 10;
    static constexpr qint64 DefaultWindowMs = 60 * 1000;

    explicit WarningRate(int perWindow = DefaultPerWindow, qint64 windowMs = DefaultWindowMs);

    // One more warning at nowMs: the lines to write now (the summary of the
    // window that ended, if one is owed, then the warning while under the limit).
    QStringList note(const QString &line, qint64 nowMs);
    // The summary owed for a window that has ended by nowMs, else empty.
    QString due(qint64 nowMs);
    // The summary owed for the current window regardless of its end (at shutdown).
    QString flush();

    qint64 suppressedTotal() const { return m_suppressedTotal; }

private:
    QString summary();

    int m_perWindow;
    qint64 m_windowMs;
    qint64 m_windowStart = 0;
    bool m_started = false;
    int m_inWindow = 0;
    int m_suppressed = 0;
    qint64 m_suppressedTotal = 0;
};

} // namespace vm
