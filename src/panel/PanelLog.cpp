// The QSO data frame's transfer: a finished contact to the destinations the
// settings choose, with the call-area check and the remarks.
#include "common/Channel.h"
#include "common/Clock.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/TextFile.h"
#include "logbook/ContactLogger.h"
#include "logbook/ContactText.h"
#include "logbook/MasterFile.h"
#include "logbook/WsjtxLogRecord.h"
#include "panel/PanelCore.h"
#include "panel/Prompter.h"

#include <QDateTime>

namespace vm {

QString PanelCore::digitalMarkMode(const QString &foregroundTitle) const
{
    const QString title = foregroundTitle.toUpper();
    if (title.contains(u"MMVARI"))
        return m_mmvariModeReader ? contact::mmvariLoggedMode(m_mmvariModeReader()) : QString();
    if (title.contains(u"MMTTY"))
        return QStringLiteral("RTTY");
    if (title.contains(u"VLMWF")) {
        // The mode code the waterfall program last reported.
        switch (m_mmvariMode.unicode()) {
        case u'2':
            return QStringLiteral("PSK31");
        case u'4':
            return QStringLiteral("GMSK");
        case u'3':
            return QStringLiteral("FSK-W");
        case u'0':
        case u'1':
            return QStringLiteral("RTTY");
        default:
            break;
        }
    }
    return {};
}

void PanelCore::sendToAwardWindow(const QString &code)
{
    // Nine fields after the tag; the code box is the eighth.
    const QString title = awardWindowTitle();
    if (m_channel.titleExists(title))
        m_channel.send(title,
                       QStringLiteral("Miravel") + QString(8, QLatin1Char('+')) + code + QLatin1Char('+'));
}

void PanelCore::loadLogDestinations()
{
    // The button stays enabled, so that its right click can always reach the
    // choice; a transfer without a usable destination says so.
    QStringList chosen;
    for (const DestinationInfo &d : ContactLogger(m_settings, m_dataDir).destinations())
        if (d.chosen && d.available)
            chosen.append(d.name);
    m_view.setEnabled(Control::LogButton, true);
    m_view.setToolTip(Control::LogButton,
                      tr("送り先: %1（右クリックで選択）")
                          .arg(chosen.isEmpty() ? tr("なし") : chosen.join(QStringLiteral(", "))));
}

Qso PanelCore::currentContact() const
{
    Qso q;
    q.call = m_view[Control::CallSign].text.trimmed().toUpper();
    q.qthCode = m_view[Control::Code].text.trimmed();
    q.mode = contact::loggedMode(m_digitalMark, m_txMode);
    if (q.mode == u"SSB")
        q.mode = m_txMode; // the ADIF writer keeps LSB/USB as the submode
    q.timeOn = QDateTime::fromMSecsSinceEpoch(m_clock.utcMs(), Qt::UTC);
    q.txHz = qint64(m_txHz);
    q.rxHz = qint64(m_rxHz);
    q.satName = m_satName;
    q.comment = contact::fillRemarks(m_settings.value(keys::Remarks), m_satName, m_orbit, m_rxHz, m_txHz);
    return q;
}

std::optional<Qso> PanelCore::lastDigitalContact()
{
    const auto missing = [this] {
        m_prompter.message(tr("WSJT-XのADIF LOGが見つかりません"), panelTitle(), Prompter::Icon::Information);
        return std::nullopt;
    };
    if (!m_digitalLog.contains(QStringLiteral(".ADI"), Qt::CaseInsensitive))
        return missing();
    const std::optional<QString> text = TextFile::read(m_digitalLog);
    const auto contact = text ? wsjtxlog::lastContact(*text) : std::nullopt;
    if (!contact || contact->call.isEmpty())
        return missing();
    Qso q = wsjtxlog::toQso(*contact);
    const Qso here = currentContact();
    q.txHz = here.txHz;
    q.rxHz = here.rxHz;
    q.satName = here.satName;
    q.comment = here.comment;
    return q;
}

bool PanelCore::transfer()
{
    send(QStringLiteral("RCMGOB"));
    if (!m_digitalLog.isEmpty()) {
        // Digital logging mode: the last contact of the WSJT-X/JTDX log.
        const std::optional<Qso> qso = lastDigitalContact();
        if (!qso)
            return false;
        const LogResult result = ContactLogger(m_settings, m_dataDir, m_udpLink.get())
                                     .log(*qso, QDateTime::fromMSecsSinceEpoch(m_clock.utcMs(), Qt::UTC));
        if (!result.failed.isEmpty())
            m_prompter.message(result.message(), panelTitle(), Prompter::Icon::Warning);
        return result.anyTaken();
    }
    const Qso qso = currentContact();
    if (qso.call.isEmpty()) {
        m_prompter.message(tr("CALL欄が空欄です"), panelTitle(), Prompter::Icon::Information);
        return false;
    }
    addRecentCall();
    if (const auto mismatch = contact::checkQthCode(qso.call, qso.qthCode)) {
        if (!m_prompter.question(contact::mismatchQuestion(*mismatch), panelTitle()))
            return false;
    }
    const LogResult result = ContactLogger(m_settings, m_dataDir, m_udpLink.get())
                                 .log(qso, QDateTime::fromMSecsSinceEpoch(m_clock.utcMs(), Qt::UTC));
    m_digitalMark.clear();
    if (!result.failed.isEmpty())
        m_prompter.message(result.message(), panelTitle(), Prompter::Icon::Warning);
    requestFocus(Control::CallSign);
    if (!result.anyTaken())
        return false; // the contact stays in the boxes for another try
    m_view.setText(Control::CallSign, QString());
    m_view.setText(Control::Code, QString());
    return true;
}

} // namespace vm

namespace vm {

void PanelCore::lookupCode()
{
    QString dataFile = m_settings.value(keys::HamlogDbPath);
    const QString program = m_settings.value(keys::HamlogPath);
    if (!dataFile.endsWith(QStringLiteral(".hdb"), Qt::CaseInsensitive) &&
        program.endsWith(QStringLiteral("w.exe"), Qt::CaseInsensitive))
        dataFile = program.left(program.size() - 5) + QStringLiteral(".hdb");
    const auto records = master::read(master::pathFor(dataFile));
    if (!records) {
        m_prompter.timedNotice(tr("MST が読めませんでした"), panelTitle(), 2);
        return;
    }
    const QString typed = m_view[Control::Code].text.trimmed();
    const QStringList lines = master::lookup(*records, typed);
    if (lines.isEmpty()) {
        m_prompter.timedNotice(QLatin1Char('"') + typed + QLatin1Char('"') + tr(" は見つかりませんでした"),
                               panelTitle(), 3);
        return;
    }
    m_view.setItems(Control::CodeList, lines);
    m_view.setCurrentRow(Control::CodeList, 0);
    m_view.setVisible(Control::CodeListFrame, true);
    requestFocus(Control::CodeList);
}

void PanelCore::chooseCode(int row)
{
    const QString line = m_view[Control::CodeList].items.value(row);
    if (line.isEmpty() || line.contains(QStringLiteral("SAT")))
        return;
    m_view.setText(Control::Code, line.left(6).trimmed());
    m_view.setVisible(Control::CodeListFrame, false);
    m_view.setItems(Control::CodeList, {});
    requestFocus(Control::Code);
}

} // namespace vm
