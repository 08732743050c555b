// The panel's part of the day's schedule: the advance notice on "OPPSCK".
#include "panel/PanelCore.h"

#include "common/Clock.h"
#include "common/ScheduleFile.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "panel/Launcher.h"
#include "panel/ScheduleCheck.h"

#include <QCoreApplication>
#include <QDateTime>

namespace vm {

void PanelCore::scheduleCheck()
{
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(m_clock.utcMs());
    const std::optional<QStringList> lines = ScheduleFile(m_dataDir).loadToday(now.date());
    if (!lines)
        return;
    if (!m_schedule) {
        ScheduleCheck::Actions a;
        a.send = [this](const QString &code, const QString &payload) { send(code, payload); };
        a.showNotice = [this](const QString &text) {
            m_view.setText(Control::NoticeText, text);
            m_view.setVisible(Control::MessageFrame, !text.isEmpty());
        };
        a.setMenu = [this](const QString &text) {
            m_view.setText(Control::ScheduleNoticeMenu, text);
            m_view.setVisible(Control::ScheduleNoticeMenu, !text.isEmpty());
        };
        a.mail = [this](const QString &text, const QString &satellite, const QString &time) {
            // A configured command gets the pass as arguments; otherwise the
            // desktop shows the notice. The Windows mail tool is not run here.
            const QString command = m_settings.value(keys::MailToolPath).trimmed();
            if (!command.isEmpty() && !command.toUpper().contains(u"HWCVMAIL.EXE"))
                m_launcher.startProgram(command, {satellite, time, text});
            else
                m_launcher.notify(QCoreApplication::translate("Panel", "%1 出現間近!").arg(satellite), text);
        };
        a.completed = [this](ScheduleCheck::Notice notice) {
            m_view.setText(Control::MacroMenu, QStringLiteral("ﾏｸﾛ on(&O)"));
            if (notice != ScheduleCheck::Notice::Sound)
                return;
            for (Control c : {Control::SoundNotice, Control::MailNotice})
                m_view.setForeColor(c, 255);
        };
        m_schedule = std::make_shared<ScheduleCheck>(std::move(a));
    }
    if (*lines != m_schedule->lines())
        m_schedule->setLines(*lines);
    const ScheduleCheck::Notice notice = m_settings.value(keys::Skd1) == u"1"   ? ScheduleCheck::Notice::Sound
                                         : m_settings.value(keys::Skd2) == u"1" ? ScheduleCheck::Notice::Mail
                                                                                : ScheduleCheck::Notice::None;
    m_schedule->check(notice, m_settings.value(keys::WavStart).toInt(),
                      !m_settings.value(keys::WavFPos).isEmpty(), now.time());
}

bool PanelCore::registerSchedule(const QStringList &lines)
{
    const ScheduleFile file(m_dataDir);
    const bool ok = lines.isEmpty() ? file.remove() : file.save(lines);
    const bool active = ok && !lines.isEmpty();
    if (m_schedule)
        m_schedule->setLines(active ? lines : QStringList());
    send(QStringLiteral("RCMSKD"), active ? QStringLiteral("1") : QStringLiteral("0"));
    return ok;
}

} // namespace vm
