// The panel's pop-up frames and boxes: the multi-mode list, the satellite
// data, the RX and TX mode choosers, NB/NR, the CW speed, the call-sign and
// code boxes; and the quick memories.
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "panel/FrequencyText.h"
#include "panel/PanelCore.h"
#include "panel/Prompter.h"

#include <cmath>

#include <QCoreApplication>

namespace vm {

// ---- multi-mode list, data frame, mode frames ---------------------------------------------------

void PanelCore::clickModeLabel()
{
    if (m_mode == u"UU" && m_rig1Model != u"IC9700")
        return;
    m_view.setVisible(Control::SatelliteDataFrame, false);
    const bool shown = m_view[Control::ModeListFrame].visible;
    m_view.setVisible(Control::ModeListFrame, !shown);
    if (!shown)
        requestFocus(Control::ModeList);
}

void PanelCore::chooseMode(int row)
{
    const QStringList modes = m_view[Control::ModeList].items;
    const QStringList records = m_view[Control::ModeRecordList].items;
    if (row < 0 || row >= modes.size() || row >= records.size())
        return;
    bool ok = false;
    const int record = records.at(row).toInt(&ok);
    if (!ok || record < 2 || record > m_table.count())
        return;
    m_view.setVisible(Control::ModeListFrame, false);
    if (!m_fm && m_record > 0) {
        if (m_beaconRef && m_beacon > 0) {
            const int back = roundEven(m_offset * m_transpose / m_beacon);
            m_settings.file().set(satInfo(), keys::offsetKey(m_beaconRefSat, m_mode), QString::number(back));
            m_beaconRef = false;
            send(QStringLiteral("RCMOFK"), QStringLiteral("C"));
        } else {
            m_settings.file().set(satInfo(), keys::offsetKey(m_recordName, m_mode),
                                  QString::number(m_offset));
        }
    }
    m_view.setCurrentRow(Control::ModeList, row);
    m_view.setCurrentRow(Control::ModeRecordList, row);
    m_view.setText(Control::SatelliteMode, modes.at(row));
    m_waterfallShift = 0;
    m_view.setBackColor(Control::WaterfallButton, Grey);
    m_dopplerMode = 3;
    send(QStringLiteral("RCMDOP"), QStringLiteral("3"));
    clearQuickMemories();
    // The controller saves the offset it holds under the old mode when it
    // switches, so the new mode's offset may only follow "RCMMLT".
    loadRecord(record, false);
    m_mode = modes.at(row);
    if (m_rig1Port == u"None") {
        showRx(FrequencyText::display(m_rxHz));
        showTx(FrequencyText::display(m_txHz));
    }
    send(QStringLiteral("RCMMLT"), QString::number(record));
    loadStoredOffset();
    if (m_controlButton == 5)
        send(QStringLiteral("RCMOFK"), QStringLiteral("C"));
}

void PanelCore::clickSatelliteName()
{
    if (m_satName == undefinedSatellite() || m_record == 0)
        return;
    const Control frame = Control::SatelliteDataFrame;
    if (m_view[frame].visible) {
        m_view.setVisible(frame, false);
        return;
    }
    QStringList lines;
    QString name = QCoreApplication::translate("Panel", "衛星名    : ") + m_satName;
    if (!m_mode.isEmpty())
        name += QStringLiteral("  Mode : ") + m_mode;
    lines.append(name);
    if (m_fm) {
        lines.append(QStringLiteral("UP Link   : ") + FrequencyText::mhz3(m_up / 1000.0) +
                     QStringLiteral("MHz"));
        lines.append(QStringLiteral("DOWN Link : ") + FrequencyText::mhz3(m_down / 1000.0) +
                     QStringLiteral("MHz") + QStringLiteral("(Tone: ") + FrequencyText::decimal(m_tone) +
                     QStringLiteral("Hz)"));
    } else {
        lines.append(QStringLiteral("UP Link   : ") + FrequencyText::mhz3(m_up / 1000.0) +
                     QStringLiteral("MHz - ") + FrequencyText::mhz3((m_up + m_width) / 1000.0) +
                     QStringLiteral("MHz"));
        lines.append(QStringLiteral("DOWN Link : ") + FrequencyText::mhz3(m_down / 1000.0) +
                     QStringLiteral("MHz - ") + FrequencyText::mhz3((m_down + m_width) / 1000.0) +
                     QStringLiteral("MHz"));
    }
    lines.append(
        QStringLiteral("BEACON    : ") +
        (m_beacon > 0 ? FrequencyText::mhz3(m_beacon / 1e6) + QStringLiteral("MHz") : QStringLiteral("-")));
    m_view.setText(Control::SatelliteData, lines.join(u'\n'));
    m_view.setVisible(frame, true);
}

void PanelCore::chooseTrackedSatellite(const QString &tableName)
{
    send(QStringLiteral("RCMSAT"), tableName);
}

bool PanelCore::modeChoosersAllowed() const
{
    return m_mode != u"UU" || m_rig1Model == u"IC9700";
}

void PanelCore::toggleRxChooser()
{
    if (m_rxChooser) {
        m_view.setVisible(Control::RxModeFrame, false);
        m_rxChooser = false;
        return;
    }
    const bool icom = m_rig1Model == u"IC9100" || m_rig1Model == u"IC9700";
    if (icom) {
        QString filter = m_settings.file()
                             .value(keys::RxFilter.sectionName(), keys::RxFilter.keyName())
                             .value_or(QString())
                             .trimmed();
        if (filter.isEmpty() || filter == u"9")
            filter = QStringLiteral("2");
        m_filter = filter;
        for (int i = 0; i < 4; ++i)
            m_view.setChecked(controls::filterOption(i), QString::number(i) == filter);
        m_view.setChecked(Control::NoiseBlanker, m_nb == u"1");
        m_view.setChecked(Control::NoiseReduction, m_nr == u"1");
    } else {
        m_filter = QStringLiteral("2");
    }
    m_view.setVisible(Control::FilterFrame, icom);
    m_view.setVisible(Control::NbNrFrame, icom);
    static const QStringList names{QStringLiteral("CW"), QStringLiteral("USB"), QStringLiteral("LSB"),
                                   QStringLiteral("FM")};
    const int sel = int(names.indexOf(m_view[Control::RxMode].text));
    for (int i = 0; i < 4; ++i)
        m_view.setChecked(controls::rxModeOption(i), i == sel);
    m_view.setAnchor(Control::RxModeFrame, Control::RxFrequency);
    m_view.setVisible(Control::RxModeFrame, true);
    m_rxChooser = true;
}

void PanelCore::toggleTxChooser()
{
    if (m_txChooser) {
        m_view.setVisible(Control::TxModeFrame, false);
        m_txChooser = false;
        return;
    }
    static const QStringList names{QStringLiteral("CW"), QStringLiteral("USB"), QStringLiteral("LSB"),
                                   QStringLiteral("FM")};
    const int sel = int(names.indexOf(m_view[Control::TxMode].text));
    for (int i = 0; i < 4; ++i)
        m_view.setChecked(controls::txModeOption(i), i == sel);
    m_view.setAnchor(Control::TxModeFrame, Control::TxFrequency);
    m_view.setVisible(Control::TxModeFrame, true);
    m_txChooser = true;
}

void PanelCore::clickRxModeLabel(bool rightButton)
{
    if (rightButton) {
        openRit();
        return;
    }
    if (m_fm) {
        m_prompter.timedNotice(QCoreApplication::translate("Panel", "FM衛星です、モード変更は出来ません"),
                               panelTitle(), 2);
        return;
    }
    if (!modeChoosersAllowed())
        return;
    toggleRxChooser();
}

void PanelCore::clickTxModeLabel(bool rightButton)
{
    if (m_fm) {
        m_prompter.timedNotice(QCoreApplication::translate("Panel", "FM衛星です、モード変更は出来ません"),
                               panelTitle(), 2);
        return;
    }
    if (!modeChoosersAllowed())
        return;
    if (rightButton) {
        if (m_txMode == u"CW")
            toggleCwSpeedPopup();
        return;
    }
    toggleTxChooser();
}

void PanelCore::toggleNb()
{
    m_nb = m_nb == u"1" ? QStringLiteral("0") : QStringLiteral("1");
    m_view.setChecked(Control::NoiseBlanker, m_nb == u"1");
    send(QStringLiteral("RCMNBF"), m_nb);
    m_view.setVisible(Control::RxModeFrame, false);
    m_rxChooser = false;
    requestFocus(Control::CallSign);
}

void PanelCore::toggleNr()
{
    m_nr = m_nr == u"1" ? QStringLiteral("0") : QStringLiteral("1");
    m_view.setChecked(Control::NoiseReduction, m_nr == u"1");
    send(QStringLiteral("RCMNRF"), m_nr);
    m_view.setVisible(Control::RxModeFrame, false);
    m_rxChooser = false;
    requestFocus(Control::CallSign);
}

void PanelCore::toggleCwSpeedPopup()
{
    m_cwPopup = !m_view[Control::CwSpeedFrame].visible;
    m_view.setVisible(Control::CwSpeedFrame, m_cwPopup);
}

void PanelCore::closeCwSpeedPopup()
{
    m_view.setVisible(Control::CwSpeedFrame, false);
    m_cwPopup = false;
    requestFocus(Control::CallSign);
}

void PanelCore::setCwSpeed(int wpm)
{
    const ControlState &bar = m_view[Control::CwSpeedBar];
    m_view.setValue(Control::CwSpeedBar, qBound(bar.minimum, wpm, bar.maximum));
}

void PanelCore::changeCwSpeed(int delta)
{
    setCwSpeed(int(m_view[Control::CwSpeedBar].value) + delta);
}

void PanelCore::setEditText(Control box, const QString &text)
{
    if (m_view.setText(box, text) && box == Control::Code)
        sendToAwardWindow(text);
}

void PanelCore::addRecentCall()
{
    const QString call = m_view[Control::CallSign].text.trimmed().toUpper();
    if (call.isEmpty())
        return;
    QStringList calls = m_view[Control::RecentCalls].items;
    calls.removeAll(call);
    calls.prepend(call);
    m_view.setItems(Control::RecentCalls, calls);
}

// ---- quick memories ---------------------------------------------------------------------------------

void PanelCore::storeQuickMemory(int slot)
{
    if (m_fm || slot < 1 || slot > 4)
        return;
    QuickMemory &m = m_memories[slot - 1];
    m.hz = m_qqSide == u"1" ? m_rxHz : m_txHz;
    m.side = m_qqSide;
    m.call = m_view[Control::CallSign].text.trimmed();
    m.code = m_view[Control::Code].text.trimmed();
    const Control label = controls::quickMemoryLabel(slot);
    m_view.setForeColor(label, Red);
    m_view.setText(label, QString::number(m.hz / 1e6, 'f', 3));
    m_view.setToolTip(label, m.call + u' ' + m.code);
    m_view.setValue(controls::quickMemoryLine(slot), m.hz);
    m_view.setVisible(controls::quickMemoryLine(slot), true);
}

void PanelCore::recallQuickMemory(int slot)
{
    if (slot < 1 || slot > 4)
        return;
    const QuickMemory m = m_memories.at(slot - 1);
    if (!(m.hz > 0))
        return;
    send(QStringLiteral("RCMQSM"), m.side);
    setQqSide(m.side);
    send(QStringLiteral("RCMQQM"), FrequencyText::decimal(m.hz));
    m_view.setText(Control::CallSign, m.call);
    m_view.setText(Control::Code, m.code);
}

void PanelCore::pickQuickMemory(int slot)
{
    if (slot < 1 || slot > 4)
        return;
    const QuickMemory &m = m_memories.at(slot - 1);
    m_view.setText(Control::CallSign, m.call);
    m_view.setText(Control::Code, m.code);
}

} // namespace vm
