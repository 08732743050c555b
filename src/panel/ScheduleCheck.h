#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QTime>

#include <functional>

namespace vm {

// The advance notice of the day's schedule, run on every "OPPSCK" from the
// controller. It walks the schedule lines in order: before a pass it names
// the next one in the notice menu, at the notice time (N minutes relative to
// AOS, negative before it) it raises the notice (sound: the notice frame and
// the notice sound; mail: a message for the desktop), and at AOS it takes the
// notice down. After the last pass has come the run is complete.
class ScheduleCheck {
    Q_DECLARE_TR_FUNCTIONS(ScheduleCheck)
public:
    enum class Notice { None, Sound, Mail };

    struct Actions {
        std::function<void(const QString &command, const QString &payload)> send;
        std::function<void(const QString &text)> showNotice; // the notice frame; empty text hides it
        std::function<void(const QString &text)> setMenu;    // the notice menu item; empty text hides it
        std::function<void(const QString &text, const QString &satellite, const QString &time)> mail;
        // The run is over (macro menu caption; after a sound run also the box colours).
        std::function<void(Notice notice)> completed;
    };

    explicit ScheduleCheck(Actions actions);

    // A new list (loaded or registered): the run starts again from the first line.
    void setLines(const QStringList &lines);
    const QStringList &lines() const { return m_lines; }
    void reset();

    // noticeMinutes: [WAVPOS] WavStart; soundFileSet: [WAVPOS] WavFPOS is not empty.
    void check(Notice notice, int noticeMinutes, bool soundFileSet, const QTime &now);

    bool runCompleted() const { return m_completed; }
    bool noticeShown() const { return m_noticeShown; }
    int nextIndex() const { return m_next; }

private:
    void send(const char *command, const QString &payload = QString());

    Actions m_actions;
    QStringList m_lines;
    int m_next = 0;
    QString m_lastNoticed; // time of the last pass noticed
    bool m_noticeShown = false;
    bool m_completed = false;
    QString m_menuText;
};

} // namespace vm
