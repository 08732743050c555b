// The programs and pages beside the panel: WSJT-X and JTDX started for
// digital-mode contacts (their contacts taken from their UDP announcements,
// with the one-second watch of their ADIF log as the fallback), the help text
// and the version.
#include "common/Channel.h"
#include "common/Clock.h"
#include "common/DataDir.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/TextFile.h"
#include "logbook/ContactLogger.h"
#include "logbook/WsjtxLogRecord.h"
#include "logbook/WsjtxReceiver.h"
#include "panel/DigitalProgram.h"
#include "panel/Launcher.h"
#include "panel/PanelCore.h"
#include "panel/Prompter.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

namespace vm {

namespace {

// One contact, whichever way it came: the call and the minute it began.
QString contactKey(const QString &call, const QDateTime &timeOn)
{
    return call.trimmed().toUpper() + u'|' + timeOn.toUTC().toString(QStringLiteral("yyyyMMddhhmm"));
}

QString dataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

} // namespace

void PanelCore::toggleWsjtMode()
{
    if (m_wsjtProgram) {
        stopWsjtMode();
        return;
    }
    const QString option = m_settings.value(keys::WsjtxPath);
    if (!option.contains(u'/')) {
        m_prompter.message(tr("起動オプションの設定がありません。"), panelTitle(), Prompter::Icon::Information);
        return;
    }
    const std::optional<DigitalProgram> program = DigitalProgram::fromOption(option);
    if (!program)
        return; // another program is not started
    m_wsjtProgram = std::make_shared<DigitalProgram>(*program);
    const QString log = program->logPath(dataHome());
    // The log is made when the program's own folder is there, so that the
    // watch has a file to compare with.
    if (!QFileInfo::exists(log) && QFileInfo(program->logFolder(dataHome())).isDir())
        TextFile::writeLinesAtomic(log, {QStringLiteral("WSJT-X ADIF Export<eoh>")});
    setDigitalLogging(log);
    m_view.setChecked(Control::Ft4Menu, true);
    m_view.setBackColor(Control::LogButton, Green);
    m_view.setText(Control::CallSign, QStringLiteral("Use WSJT-X LOG"));
    send(QStringLiteral("RCMFT4"), QStringLiteral("1"));
    if (!m_launcher.isRunning(program->processName) &&
        !m_launcher.startProgram(program->executable(), program->arguments()))
        m_prompter.message(tr("%1 を起動出来ません").arg(program->executable()), panelTitle(),
                           Prompter::Icon::Warning);

    const QFileInfo info(log);
    m_wsjtLogMinute = (info.exists() ? info.lastModified().toMSecsSinceEpoch() : m_clock.utcMs()) / 60'000;
    if (!m_wsjtxReceiver) {
        m_wsjtxReceiver = new WsjtxReceiver(this);
        connect(m_wsjtxReceiver, &WsjtxReceiver::contactLogged, this,
                [this](const Qso &qso) { takeLoggedContact(qso); });
        m_digitalWatch = new QTimer(this);
        m_digitalWatch->setInterval(1000);
        connect(m_digitalWatch, &QTimer::timeout, this, &PanelCore::digitalWatch);
    }
    const int port = m_settings.value(keys::WsjtxListenPort).toInt();
    QString why;
    if (!m_wsjtxReceiver->listen(quint16(port), &why))
        m_prompter.timedNotice(tr("UDPポート %1 で受信できません（ADIF LOGを監視します）: %2").arg(port).arg(why),
                               panelTitle(), 3);
    m_digitalWatch->start();
}

void PanelCore::stopWsjtMode()
{
    if (!m_wsjtProgram)
        return;
    const std::shared_ptr<DigitalProgram> program = std::move(m_wsjtProgram);
    send(QStringLiteral("RCMFT4"), QStringLiteral("0"));
    m_digitalWatch->stop();
    m_wsjtxReceiver->close();
    setDigitalLogging(QString());
    m_view.setChecked(Control::Ft4Menu, false);
    m_view.setBackColor(Control::LogButton, -1);
    m_view.setText(Control::CallSign, QString());
    m_launcher.stopProgram(program->processName);
}

void PanelCore::digitalWatch()
{
    if (!m_wsjtProgram)
        return;
    const QFileInfo info(m_digitalLog);
    if (!info.exists())
        return;
    // A change counts from the next whole minute on; the time read becomes
    // the reference either way.
    const qint64 minute = info.lastModified().toMSecsSinceEpoch() / 60'000;
    const bool changed = minute > m_wsjtLogMinute;
    m_wsjtLogMinute = minute;
    if (!changed)
        return;
    const std::optional<QString> text = TextFile::read(m_digitalLog);
    const std::optional<wsjtxlog::Contact> last = text ? wsjtxlog::lastContact(*text) : std::nullopt;
    // A contact the UDP announcement has brought already is not logged twice.
    if (last && contactKey(last->call, last->timeOnUtc) == m_lastDigitalKey)
        return;
    if (last)
        m_lastDigitalKey = contactKey(last->call, last->timeOnUtc);
    transfer();
}

void PanelCore::openHelp()
{
    const QString help = findFileNoCase(m_dataDir, QStringLiteral("easyHELP.txt"));
    if (!QFileInfo::exists(help) || !m_launcher.openUrl(help))
        m_prompter.message(tr("ヘルプを開けません: %1").arg(help), panelTitle(), Prompter::Icon::Information);
}

void PanelCore::showVersion()
{
    // Only Kepral32 is named; its version comes from its program file.
    const std::optional<TrackerWindow> tracker = m_calcType == u"1" ? trackerWindow() : std::nullopt;
    m_prompter.message(versionText(tracker ? trackerVersionString(tracker->owner.version) : QString()),
                       panelTitle(), Prompter::Icon::Information);
}

void PanelCore::toggleWaterfallProgram()
{
    if (m_channel.titleExists(waterfallTitle())) {
        m_channel.postClose(waterfallTitle());
        m_waterfallStart = QStringLiteral("0");
    } else {
        if (m_waterfallProgram.isEmpty() || !m_launcher.startProgram(m_waterfallProgram, {})) {
            m_prompter.message(tr("ウォーターフォールのプログラムを起動出来ません"), panelTitle(),
                               Prompter::Icon::Warning);
            return;
        }
        m_waterfallStart = QStringLiteral("1");
    }
    send(QStringLiteral("RCMWFF"), m_waterfallStart);
    m_settings.setValue(keys::WfStart, m_waterfallStart);
}

void PanelCore::startWaterfallWithPanel()
{
    // The waterfall ran with the panel last time: it comes back unless it runs.
    if (m_waterfallStart == u"1" && !m_waterfallProgram.isEmpty() && !m_channel.titleExists(waterfallTitle()) &&
        m_launcher.startProgram(m_waterfallProgram, {}))
        send(QStringLiteral("RCMWFF"), m_waterfallStart);
}

void PanelCore::takeLoggedContact(const Qso &logged)
{
    if (!m_wsjtProgram)
        return;
    const QString key = contactKey(logged.call, logged.timeOn);
    if (key == m_lastDigitalKey)
        return;
    m_lastDigitalKey = key;
    // The satellite's frequencies and remarks are the panel's.
    Qso q = logged;
    const Qso here = currentContact();
    q.txHz = here.txHz;
    q.rxHz = here.rxHz;
    q.satName = here.satName;
    q.comment = here.comment;
    const LogResult result =
        ContactLogger(m_settings, m_dataDir).log(q, QDateTime::fromMSecsSinceEpoch(m_clock.utcMs(), Qt::UTC));
    if (!result.failed.isEmpty())
        m_prompter.message(result.message(), panelTitle(), Prompter::Icon::Warning);
}

} // namespace vm
