#include "panel/ScheduleCheck.h"

#include "common/ScheduleFile.h"

namespace vm {

ScheduleCheck::ScheduleCheck(Actions actions) : m_actions(std::move(actions))
{
    // Actions left empty do nothing.
    if (!m_actions.send)
        m_actions.send = [](const QString &, const QString &) {};
    if (!m_actions.showNotice)
        m_actions.showNotice = [](const QString &) {};
    if (!m_actions.setMenu)
        m_actions.setMenu = [](const QString &) {};
    if (!m_actions.mail)
        m_actions.mail = [](const QString &, const QString &, const QString &) {};
    if (!m_actions.completed)
        m_actions.completed = [](Notice) {};
}

void ScheduleCheck::setLines(const QStringList &lines)
{
    m_lines = lines;
    reset();
}

void ScheduleCheck::reset()
{
    m_next = 0;
    m_lastNoticed.clear();
    m_noticeShown = false;
    m_completed = false;
    m_menuText.clear();
}

void ScheduleCheck::send(const char *command, const QString &payload)
{
    m_actions.send(QString::fromLatin1(command), payload);
}

void ScheduleCheck::check(Notice notice, int noticeMinutes, bool soundFileSet, const QTime &now)
{
    if (notice == Notice::None || m_completed || m_lines.isEmpty())
        return;
    const bool sound = notice == Notice::Sound;
    const auto since = [&now](const QString &hhmm) { return ScheduleFile::minutesSince(hhmm, now); };

    if (m_next >= m_lines.size()) {
        if (m_lastNoticed.isEmpty() || since(m_lastNoticed) != 0)
            return;
        // The last pass has come.
        m_completed = true;
        m_noticeShown = false;
        if (sound) {
            m_next = 0;
            send("RCMSSP");
            send("RCMSKD", QStringLiteral("0"));
            m_actions.showNotice(QString());
        }
        m_actions.setMenu(tr("予告SKD完了"));
        m_actions.completed(notice);
        return;
    }

    for (int i = m_next; i < m_lines.size(); ++i) {
        const QString time = ScheduleFile::timeOf(m_lines[i]);
        const QString name = ScheduleFile::satelliteOf(m_lines[i]);
        const std::optional<int> m = since(time);
        if (!m) {
            // An unreadable line ends this check; the next one starts again.
            m_next = 0;
            return;
        }
        if (m_noticeShown && since(m_lastNoticed) == 0) {
            m_noticeShown = false;
            if (sound) {
                send("RCMSSP");
                m_actions.showNotice(QString());
            }
            m_menuText.clear();
            m_actions.setMenu(QString());
            return;
        }
        if (noticeMinutes > *m && !m_noticeShown) {
            const QString text = QStringLiteral("NextSKD：") + name.left(7) + u'=' + time;
            if (text != m_menuText) {
                m_menuText = text;
                m_actions.setMenu(text);
            }
            return;
        }
        if (noticeMinutes == *m) {
            m_next = i + 1;
            m_lastNoticed = time;
            m_noticeShown = true;
            const int ahead = qAbs(*m);
            if (sound) {
                send("RCMSSP");
                if (soundFileSet)
                    send("RCMSPL");
                m_actions.showNotice(tr("あと%1分(%2)で\r\n%3が来ます！").arg(ahead).arg(time, name));
            } else {
                m_actions.mail(tr("%1分後に%2の%3到来").arg(ahead).arg(time, name), name, time);
            }
            return;
        }
    }
}

} // namespace vm
