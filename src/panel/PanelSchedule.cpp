// The panel's part of the day's schedule: the advance notice on "OPPSCK".
#include "panel/PanelCore.h"

#include "common/Clock.h"
#include "common/ScheduleFile.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "panel/Launcher.h"
#include "panel/Prompter.h"
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
            mailNotice(text, satellite, time);
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

void PanelCore::mailNotice(const QString &text, const QString &satellite, const QString &time)
{
    const QString command = m_settings.value(keys::MailToolPath).trimmed();
    const bool windowsTool = command.toUpper().contains(u"HWCVMAIL.EXE");
    // A command of the operator's gets the pass as arguments.
    if (!command.isEmpty() && !windowsTool) {
        m_launcher.startProgram(command, {satellite, time, text});
        return;
    }
    // Without the Windows mail tool (or a way to it) the desktop shows the notice.
    if (!windowsTool || !m_windows) {
        m_launcher.notify(QCoreApplication::translate("Panel", "%1 出現間近!").arg(satellite), text);
        return;
    }
    const QString title = QStringLiteral("HWCVお知らせツール");
    bool shown = m_windows->findWindow(title).has_value();
    // A Linux path is the prefix's drive Z:.
    const QString windowsPath =
        command.startsWith(u'/') ? QStringLiteral("Z:") + QString(command).replace(u'/', u'\\') : command;
    if (!shown && m_windows->startProgram(windowsPath)) {
        // Its window may take a moment to appear.
        for (int waited = 0;; waited += 200) {
            shown = m_windows->findWindow(title).has_value();
            if (shown || waited >= 5000)
                break;
            m_clock.sleepMs(200);
        }
    }
    if (!shown) {
        m_prompter.message(tr("HWCVお知らせツールが起動していないのでは？"), panelTitle(),
                           Prompter::Icon::Information);
        return;
    }
    m_windows->sendText(title, (text + QStringLiteral("\\MAILTITLE\\") + satellite + QStringLiteral(" 出現間近!"))
                                   .trimmed());
    m_windows->typeAltKey(title, 'X');
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
