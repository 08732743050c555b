// The panel's receiver: reports of the controller ("OPP...") and records of
// the waterfall program ("VLM...").
#include "common/Channel.h"
#include "common/ChannelCodec.h"
#include "common/DataDir.h"
#include "common/ProtocolTexts.h"
#include "common/RigReport.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "panel/CwSpeed.h"
#include "panel/FrequencyText.h"
#include "panel/PanelCore.h"
#include "panel/Prompter.h"

#include <cmath>

#include <QCoreApplication>

namespace vm {

namespace {

bool toInt(const QString &text, int *value)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (ok)
        *value = v;
    return ok;
}

} // namespace

quint32 PanelCore::handleRecord(const QString &text)
{
    const ChannelRecord record = ChannelCodec::split(text);
    if (record.family == u"VLM")
        handleWaterfall(record.text);
    else if (record.family == u"OPP")
        handleReport(record.command, record.payload);
    return 0;
}

void PanelCore::handleWaterfall(const QString &text)
{
    const QString command = text.mid(3, 6);
    double value = 0;
    const bool hasValue = FrequencyText::parse(text.mid(12), &value);
    if (command == u"RITfre") {
        // The panel opens no RIT window of its own: nothing to show.
    } else if (command == u"variMd") {
        if (!text.isEmpty())
            m_mmvariMode = text.back();
    } else if (command == u"wfclos") {
        m_view.setVisible(Control::WaterfallButton, false);
    } else if (command == u"reques") {
        send(QStringLiteral("RCMREQ"));
    } else if (command == u"offset") {
        if (!hasValue)
            return;
        m_waterfallShift = 0;
        send(QStringLiteral("RCMTXP"), QStringLiteral("0"));
        setOffset(int(qBound(double(-OffsetLimit), std::nearbyint(m_offset - value), double(OffsetLimit))));
        m_view.setBackColor(Control::WaterfallButton, Grey);
    } else if (command == u"TXshif") {
        if (!hasValue)
            return;
        m_waterfallShift = value;
        m_view.setBackColor(Control::WaterfallButton, Red);
        send(QStringLiteral("RCMTXP"), FrequencyText::decimal(value));
    } else if (command == u"zeroin") {
        if (!hasValue)
            return;
        send(QStringLiteral("RCMPUS"), QStringLiteral("2"));
        const double delta = std::nearbyint(value / 10.0) * 10.0;
        if (m_rxMode == u"USB" || m_rxMode == u"CW")
            send(QStringLiteral("RCMQSQ"), FrequencyText::decimal(m_rxHz + delta));
        else if (m_rxMode == u"LSB" || m_rxMode == u"CWR")
            send(QStringLiteral("RCMQSQ"), FrequencyText::decimal(m_rxHz - delta));
        m_view.setBackColor(Control::WaterfallButton, Grey);
    }
}

void PanelCore::setDisplay(Control name, const QString &text)
{
    m_view.setAlignRight(name, true);
    m_view.setFont(name, QStringLiteral("ＭＳ ゴシック"), 0);
    const bool changed = m_view.setText(name, text);
    if (!changed)
        return;
    // The marker on the scale follows the display of the side it shows.
    if (name == Control::RxFrequency && m_qqSide == u"1" && !text.contains(u"Closed") &&
        !text.contains(u"Error"))
        m_view.setValue(Control::FrequencyLine, std::llround(m_rxHz));
    else if (name == Control::TxFrequency && m_qqSide == u"0")
        m_view.setValue(Control::FrequencyLine, std::llround(m_txHz));
}

void PanelCore::showRx(const QString &text)
{
    setDisplay(Control::RxFrequency, text);
}
void PanelCore::showTx(const QString &text)
{
    setDisplay(Control::TxFrequency, text);
}

void PanelCore::updateMarkers(bool rx)
{
    if (m_mode == u"UU")
        return;
    // Each display has its own pair ("↑" above the passband, "↓" below), so
    // that a frequency back inside on one side leaves the other side's mark.
    const Control above = controls::aboveMarker(rx);
    const Control below = controls::belowMarker(rx);
    const double edge = (rx ? m_down : m_up) * 1000.0;
    const double f = rx ? m_rxHz : m_txHz;
    const bool known = !m_fm && m_record != 0;
    m_view.setVisible(below, known && edge > f);
    m_view.setVisible(above, known && edge + m_width * 1000.0 < f);
}

void PanelCore::rigPanels(int first, const QString &model, const QString &port, int open, int error,
                          bool used)
{
    for (int p = first; p < first + 4; ++p)
        m_view.setEnabled(controls::statusPanel(p), used);
    const QString state = !used        ? QString()
                          : open == 1  ? QStringLiteral("Open")
                          : error == 1 ? QStringLiteral("Closed")
                                       : QStringLiteral("Can't Open");
    m_view.setText(controls::statusPanel(first), used ? model : QString());
    m_view.setText(controls::statusPanel(first + 1), used ? port : QString());
    m_view.setText(controls::statusPanel(first + 2), state);
    m_view.setText(controls::statusPanel(first + 3),
                   used && error == 1 && open != 1 ? QStringLiteral("COM Error") : QString());
    const QString tip = state == u"Closed"
                            ? QCoreApplication::translate("Panel", "ここをﾀﾞﾌﾞﾙｸﾘｯｸすると Open にﾘﾄﾗｲします")
                            : QString();
    for (int p = first; p < first + 4; ++p)
        m_view.setToolTip(controls::statusPanel(p), tip);
}

void PanelCore::applyRigReport()
{
    const bool rig1 = m_rigContType == 0 || m_rigContType == 1 || m_rigContType == 3;
    const bool rig2 = m_rigContType == 2 || m_rigContType == 3;
    rigPanels(2, m_rig1Model, m_rig1Port, m_rig1Open, m_rig1Error, rig1);
    rigPanels(7, m_rig2Model, m_rig2Port, m_rig2Open, m_rig2Error, rig2);
}

void PanelCore::setupCwAfterRig()
{
    QString model;
    QStringList capable;
    if (m_rigContType == 0 || m_rigContType == 1) {
        model = m_rig1Model;
        capable = {QStringLiteral("TS2000"), QStringLiteral("IC9100"), QStringLiteral("IC9700")};
    } else if (m_rigContType == 2 || m_rigContType == 3) {
        model = m_rig2Model;
        capable = {QStringLiteral("TS2000"), QStringLiteral("TS590"),  QStringLiteral("TS990"),
                   QStringLiteral("FT991"),  QStringLiteral("IC9100"), QStringLiteral("IC9700"),
                   QStringLiteral("IC7100")};
    } else {
        return;
    }
    const bool cw = capable.contains(model);
    m_view.setEnabled(Control::CwMessageFrame, cw);
    if (cw) {
        for (int n = 0; n < 4; ++n) {
            m_cwMessages[n] = settingsText(QString::fromUtf8(keys::RigConCfgSection),
                                           QStringLiteral("CW Message-%1").arg(n + 1), QString());
            showCwMessage(n + 1);
        }
    }
    const bool data = cw && model == u"IC9700";
    m_view.setEnabled(Control::TxData, data);
    m_view.setEnabled(Control::RxData, data);
    bool ok = false;
    const int speed = m_settings.value(keys::CwSpeed).toInt(&ok);
    m_view.setValue(Control::CwSpeedBar, ok ? qMax(10, speed) : 20);
}

void PanelCore::readAgain()
{
    m_hamlogPath = m_settings.value(keys::HamlogPath);
    m_calcType = m_settings.value(keys::CalcType);
    m_modeOffset = m_settings.value(keys::ModeOffset).toInt();
    if (m_record > 0 && !m_fm) {
        int stored = 0;
        if (!toInt(settingsText(QString::fromUtf8(keys::SatInfoSection),
                                keys::offsetKey(m_recordName, m_mode), QStringLiteral("0")),
                   &stored))
            stored = 0;
        setOffset(stored);
    }
    m_rig1Model =
        m_settings.contains(keys::RigType) ? m_settings.value(keys::RigType) : QStringLiteral("Not Use");
    if (!m_settings.contains(keys::RigType))
        m_rig1Port = QStringLiteral("None");
    m_rig2Model =
        m_settings.contains(keys::RigType2) ? m_settings.value(keys::RigType2) : QStringLiteral("Not Use");
    m_useDde = m_settings.value(keys::UseDde);
    m_rrInp = m_settings.value(keys::RrInp);
    m_view.setText(Control::RrInpPanel,
                   m_rrInp == u"1" ? QStringLiteral("R/R Inp ON") : QStringLiteral("R/R Inp OFF"));
    setInfoCaption();
}

void PanelCore::handleReport(const QString &command, const QString &payload)
{
    m_lastReport = command;
    double number = 0;
    if (command == u"ICD") {
        const QString band = payload.left(1);
        const bool data = payload.mid(1, 2) == u"01";
        if (band == u"A")
            m_view.setChecked(Control::RxData, data);
        else if (band == u"B")
            m_view.setChecked(Control::TxData, data);
    } else if (command == u"STX" || command == u"SRX") {
        if (!FrequencyText::parse(payload, &number))
            return;
        if ((m_flagA && !m_flagB) || m_dopplerMode == 6)
            setDisplay(command == u"STX" ? Control::TxFrequency : Control::RxFrequency,
                       FrequencyText::display(number));
    } else if (command == u"HTX" || command == u"HRX") {
        if (!FrequencyText::parse(payload, &number))
            return;
        if (m_flagB)
            setDisplay(command == u"HTX" ? Control::TxFrequency : Control::RxFrequency,
                       u'_' + FrequencyText::display(number));
    } else if (command == u"TXS") {
        if (!FrequencyText::parse(payload, &number))
            return;
        m_txHz = number;
        if (!m_flagA)
            showTx(FrequencyText::display(number));
        updateMarkers(false);
    } else if (command == u"RXS") {
        if (!FrequencyText::parse(payload, &number))
            return;
        m_rxHz = number;
        if (!m_flagA)
            showRx(FrequencyText::display(number));
        updateMarkers(true);
    } else if (command == u"RXF" || command == u"TXF") {
        const Control name = command == u"RXF" ? Control::RxFrequency : Control::TxFrequency;
        m_view.setAlignRight(name, false);
        m_view.setFont(name, m_view[name].fontName, payload.contains(u"Closed") ? 22 : 0);
        m_view.setText(name, payload);
        if (command == u"TXF" && payload.contains(QString::fromUtf8(protocol::EndingPayload)))
            emit unloadRequested();
    } else if (command == u"BCS") {
        if (!FrequencyText::parse(payload, &number))
            return;
        m_beaconReported = number;
        showRx(FrequencyText::display(number));
    } else if (command == u"NBF") {
        m_nb = payload == u"1" ? QStringLiteral("1") : QStringLiteral("0");
    } else if (command == u"NRF") {
        m_nr = payload == u"1" ? QStringLiteral("1") : QStringLiteral("0");
    } else if (command == u"ELE") {
        const bool up = payload == u"1";
        m_view.setForeColor(Control::SatelliteName, up ? Red : Blue);
    } else if (command == u"OP1") {
        int open = 0;
        if (!toInt(payload, &open))
            return;
        m_rig1Open = open;
        m_view.setText(Control::Rig1ModelPanel, m_rig1Model);
        m_view.setText(Control::Rig1PortPanel, m_rig1Port);
        m_view.setText(Control::Rig1StatePanel, QStringLiteral("Open"));
        m_view.setText(Control::Rig1ErrorPanel, QString());
        for (int p = 2; p <= 5; ++p) {
            m_view.setEnabled(controls::statusPanel(p), true);
            m_view.setToolTip(controls::statusPanel(p), QString());
        }
    } else if (command == u"OP2") {
        int open = 0;
        if (!toInt(payload, &open))
            return;
        m_rig2Open = open;
        m_view.setText(Control::Rig2StatePanel, QStringLiteral("Open"));
        m_view.setText(Control::Rig2ErrorPanel, QString());
        for (int p = 7; p <= 10; ++p) {
            m_view.setEnabled(controls::statusPanel(p), true);
            m_view.setToolTip(controls::statusPanel(p), QString());
        }
    } else if (command == u"CER") {
        const QString tip = QCoreApplication::translate("Panel", "ここをﾀﾞﾌﾞﾙｸﾘｯｸすると Open にﾘﾄﾗｲします");
        if (payload == m_rig1Port) {
            m_view.setText(Control::Rig1StatePanel, QStringLiteral("Closed"));
            m_view.setText(Control::Rig1ErrorPanel, QStringLiteral("COM Error"));
            m_rig1Error = 1;
            for (int p = 2; p <= 5; ++p)
                m_view.setToolTip(controls::statusPanel(p), tip);
        }
        if ((m_rigContType == 2 || m_rigContType == 3) && payload == m_rig2Port) {
            m_view.setText(Control::Rig2StatePanel, QStringLiteral("Closed"));
            m_view.setText(Control::Rig2ErrorPanel, QStringLiteral("COM Error"));
            m_rig2Error = 1;
            for (int p = 7; p <= 10; ++p)
                m_view.setToolTip(controls::statusPanel(p), tip);
        }
    } else if (command == u"2RI") {
        int type = 0;
        if (toInt(payload, &type))
            m_rigContType = type;
    } else if (command == u"RIG") {
        // The controller is up: what the load could not tell it goes now.
        replayUndelivered();
        const QStringList f = payload.split(u':');
        if (f.size() < 7)
            return;
        int open1 = 0;
        int open2 = 0;
        int type = 0;
        if (!toInt(f.at(2), &open1) || !toInt(f.at(5), &open2) || !toInt(f.at(6), &type))
            return;
        m_rig1Model = f.at(0);
        m_rig1Port = rigReport::decodePort(f.at(1));
        m_rig1Open = open1;
        m_rig2Model = f.at(3);
        m_rig2Port = rigReport::decodePort(f.at(4));
        m_rig2Open = open2;
        m_rigContType = type;
        if (open1 == 1)
            m_rig1Error = 0;
        if (open2 == 1)
            m_rig2Error = 0;
        applyRigReport();
        setupCwAfterRig();
    } else if (command == u"STC") {
        const QString p = payload.isEmpty() ? QStringLiteral("3") : payload;
        if (p == u"0")
            m_controlButton = m_fm ? 1 : 0;
        else if (p == u"1")
            m_controlButton = 1;
        else if (p == u"2")
            m_controlButton = m_fm ? 1 : 2;
        else if (p == u"5")
            m_controlButton = m_fm ? 1 : 5;
        else
            m_controlButton = 3;
    } else if (command == u"KAN") {
        m_view.setEnabled(Control::ControllerSettingsMenu, true);
        m_view.setEnabled(Control::RecordButton, true);
        m_view.setEnabled(Control::PlayButton, true);
        m_settingsOpen = false;
        m_pause = 0;
        dopplerButton(m_controlButton);
        m_view.setChecked(Control::TxData, false);
        m_view.setChecked(Control::RxData, false);
        m_view.setEnabled(Control::InfoMenu, true);
    } else if (command == u"HAI") {
        if (payload.isEmpty())
            return;
        // A table that cannot be read now leaves the one in use in place.
        SatelliteTable fresh;
        if (fresh.load(findFileNoCase(m_dataDir, SatelliteTable::fileName())) < 2 ||
            !fresh.derive(&m_settings.file())) {
            m_prompter.message(QCoreApplication::translate("Panel", "SATdataが読めませんでした"), QString(),
                               Prompter::Icon::Critical);
            return;
        }
        m_table = fresh;
    } else if (command == u"AGN") {
        readAgain();
    } else if (command == u"SAN") {
        m_satName = payload;
        m_satKey = payload.toUpper();
        if (m_view.setText(Control::TrackedName, payload))
            satelliteChange();
        m_view.setText(Control::SatelliteName, payload);
        m_view.setFont(Control::SatelliteName, QString(), payload.size() > 8 ? 14 : 0);
        if (payload == undefinedSatellite()) {
            m_mode.clear();
            m_view.setVisible(Control::SatelliteMode, false);
            m_view.setVisible(Control::SatelliteModeCaption, false);
        } else if (m_mode == u"UU") {
            m_view.setText(Control::SatelliteMode, QStringLiteral("PKT"));
        }
    } else if (command == u"DOP") {
        int mode = 0;
        if (!toInt(payload, &mode))
            return;
        if (mode == m_dopplerMode)
            return;
        if (m_dopplerMode == 8 || m_dopplerMode == 9) {
            m_dopplerMode = mode;
            return;
        }
        m_dopplerMode = mode;
        if (mode == 6)
            dopplerButton(1);
        else if (mode == 0 || mode == 1 || mode == 2 || mode == 3 || mode == 5)
            dopplerButton(mode);
        if (m_flagA) {
            m_buttonColor[1] = Magenta;
            m_view.setBackColor(Control::HoldSatelliteButton, Magenta);
        }
    } else if (command == u"RXM") {
        QString mode = payload;
        if (m_rig1Model == u"IC9100" || m_rig1Model == u"IC9700") {
            if (!mode.isEmpty()) {
                m_filter = mode.right(1);
                mode.chop(1);
            }
        } else if (mode.endsWith(u'1') || mode.endsWith(u'2') || mode.endsWith(u'3')) {
            mode.chop(1);
        }
        m_rxMode = mode;
        m_view.setText(Control::RxMode, mode);
    } else if (command == u"TXM") {
        if (m_mode == u"UU") {
            m_view.setText(Control::TxMode, QStringLiteral("USB"));
            return;
        }
        m_txMode = payload;
        m_view.setText(Control::TxMode, payload);
        // The CW speed is offered only where the rig on the CW route takes it.
        const bool cwSpeed =
            payload == u"CW" && cw::speedForm(m_rigContType, m_rig1Model, m_rig2Model) != cw::SpeedForm::None;
        if (!m_fm)
            m_view.setToolTip(
                Control::TxMode,
                cwSpeed ? QCoreApplication::translate("Panel", "左ｸﾘｯｸ(ALT+G)でﾓｰﾄﾞ、右ｸﾘｯｸでCW SPEED変更可")
                        : QCoreApplication::translate("Panel", "左ｸﾘｯｸ(ALT+G)でﾓｰﾄﾞ変更可"));
    } else if (command == u"SCK") {
        scheduleCheck();
    } else if (command == u"PLY") {
        // The controller's playback has reached the end of its file.
        stopPlayback();
    } else if (command == u"POB") {
        m_orbit = payload;
        m_view.setText(Control::OrbitNumber, payload);
    } else if (command == u"LKM") {
        m_calcType = payload;
        setInfoCaption();
        const bool kepral = payload == u"1" || payload == u"3";
        if (kepral || payload == u"2") {
            for (Control c : {Control::SoundNotice, Control::MailNotice, Control::ScheduleMenu})
                m_view.setEnabled(c, kepral);
            m_view.setEnabled(Control::ScheduleFrame, kepral);
            m_view.setEnabled(Control::ScheduleMacroButton, payload == u"1");
            m_view.setEnabled(Control::OpenMacroButton, payload == u"1");
        }
    } else if (command == u"LNK") {
        if (payload == u"NG")
            emit unloadRequested();
    } else if (command == u"HOM") {
        hotKey();
    } else if (command == u"MLT") {
        if (payload.isEmpty()) {
            m_view.setVisible(Control::SatelliteMode, false);
            m_view.setVisible(Control::SatelliteModeCaption, false);
            return;
        }
        QStringList modes;
        QStringList records;
        for (const MultiModeEntry &e : m_table.multiModeIndex()) {
            if (e.Name.compare(m_satKey, Qt::CaseInsensitive) == 0) {
                modes.append(e.MLTmode);
                records.append(QString::number(e.Record));
            }
        }
        m_view.setItems(Control::ModeList, modes);
        m_view.setItems(Control::ModeRecordList, records);
        if (!modes.isEmpty()) {
            m_mode = modes.first();
            m_view.setText(Control::SatelliteMode, m_mode);
            m_view.setCurrentRow(Control::ModeList, 0);
            m_view.setCurrentRow(Control::ModeRecordList, 0);
        }
        m_view.setVisible(Control::SatelliteMode, true);
        m_view.setVisible(Control::SatelliteModeCaption, true);
    }
}

void PanelCore::clipboardChanged(const QString &foregroundTitle, const QString &clipboardText)
{
    if (m_satName.isEmpty())
        return;
    addCopiedPassTime(foregroundTitle, clipboardText);
    const QString title = foregroundTitle.toUpper();
    if (title.contains(u"MMVARI") || title.contains(u"MMTTY") || title.contains(u"VLMWF")) {
        const QString call = clipboardText.trimmed().toUpper();
        m_view.setText(Control::CallSign, call);
        m_digitalMark = digitalMarkMode(foregroundTitle);
    }
}

void PanelCore::wheel(int delta)
{
    if (m_hover == Hover::Offset) {
        if (!m_view[Control::Offset].enabled)
            return;
        const int step = m_offsetStep == 10 ? 100 : 10;
        setOffset(qBound(-OffsetLimit, m_offset + (delta > 0 ? step : -step), OffsetLimit));
    } else if (m_hover == Hover::CwSpeed) {
        changeCwSpeed(delta > 0 ? 1 : -1);
    }
}

} // namespace vm
