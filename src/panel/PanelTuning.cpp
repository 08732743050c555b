// The panel's tuning front: current satellite, passband scale, offset,
// Doppler-mode buttons, modes, home frequencies and quick memories.
#include "common/BeaconFile.h"
#include "common/Channel.h"
#include "common/Clock.h"
#include "common/DataDir.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "panel/FrequencyText.h"
#include "panel/PanelCore.h"
#include "panel/Prompter.h"

#include <cmath>

namespace vm {

namespace {

const QString &satInfo()
{
    static const QString s = QString::fromUtf8(keys::SatInfoSection);
    return s;
}

int roundEven(double v)
{
    return int(std::nearbyint(v));
}

} // namespace

// ---- current satellite -------------------------------------------------------

void PanelCore::satelliteChange()
{
    m_view.setVisible(Control::HoverFrequency, false);
    m_view.setForeColor(Control::SatelliteName, Blue);
    setXit(false);
    if (m_settingsOpen || m_satName.isEmpty())
        return;

    // An offset held relative to another satellite's beacon goes home first.
    if (!m_fm && m_beaconRef && m_beaconRefSat.compare(m_satName, Qt::CaseInsensitive) != 0 && m_beacon > 0) {
        const int back = roundEven(m_offset / m_beacon * m_transpose);
        m_settings.file().set(satInfo(), keys::offsetKey(m_beaconRefSat, m_beaconRefMode),
                              QString::number(back));
        // The controller leaves beacon terms too, or it would keep the new
        // satellite's offsets from being saved.
        m_beaconRef = false;
        send(QStringLiteral("RCMOFK"), QStringLiteral("C"));
    }
    if (m_beaconMode) {
        leaveBeaconReference();
        m_beaconMode = false;
    }
    clearCurrentSatellite();
    send(QStringLiteral("RCMDOP"), QStringLiteral("3"));

    int found = 0;
    for (int n = 2; n <= m_table.count(); ++n) {
        const SatelliteRecord &r = m_table.record(n);
        if (r.EmptyCount == 0 && r.NumbersOk && r.Name.compare(m_satName, Qt::CaseInsensitive) == 0) {
            found = n;
            break;
        }
    }
    if (found == 0)
        return;
    loadRecord(found);

    if (m_rigContType == 4) {
        showRx(FrequencyText::display(m_rxHz));
        showTx(FrequencyText::display(m_txHz));
        m_buttonColor[3] = LightYellow;
        m_buttonColor[1] = Grey;
        m_view.setBackColor(Control::PauseButton, LightYellow);
        m_view.setBackColor(Control::HoldSatelliteButton, Grey);
        m_view.setEnabled(Control::HoldSatelliteButton, true);
        m_view.setEnabled(Control::PauseButton, true);
        for (Control c : {Control::HoldReceiveButton, Control::HoldTransmitButton, Control::BeaconButton,
                          Control::WaterfallButton, Control::HomeButton})
            m_view.setEnabled(c, !m_fm);
        m_view.setText(Control::RxMode, QString());
        m_view.setText(Control::TxMode, QString());
        m_view.setEnabled(Control::ScheduleMenu, true);
        return;
    }
    const QString key = m_satKey;
    const bool digital =
        !(key == u"FO-29" || key == u"FO29" || key == u"FO-99" || key == u"FO99" || m_mode == u"UU" || m_fm);
    m_view.setEnabled(Control::Ft4Menu, digital);
    m_view.setEnabled(Control::MmvariMenu, digital);
    m_view.setEnabled(Control::ScheduleMenu, true);
    if (m_rig1Open == 1)
        m_pause = 1;
}

void PanelCore::clearCurrentSatellite()
{
    for (Control frame : {Control::ModeListFrame, Control::SatelliteDataFrame, Control::HomeFrame})
        m_view.setVisible(frame, false);
    m_waterfallShift = 0;
    m_view.setBackColor(Control::WaterfallButton, Grey);
    m_dopplerMode = 3;
    m_fm = false;
    m_mode.clear();
    m_record = 0;
    m_recordKey.clear();
    m_recordName.clear();
    clearQuickMemories();
}

void PanelCore::clearQuickMemories()
{
    for (int n = 1; n <= 4; ++n) {
        m_memories[n - 1] = QuickMemory();
        m_view.setVisible(controls::quickMemoryLine(n), false);
        m_view.setValue(controls::quickMemoryLine(n), 0);
        m_view.setForeColor(controls::quickMemoryLabel(n), Blue);
        m_view.setText(controls::quickMemoryLabel(n), QStringLiteral("QM%1").arg(n));
    }
}

void PanelCore::loadRecord(int record, bool withOffset)
{
    const SatelliteRecord &r = m_table.record(record);
    m_record = record;
    m_recordName = r.Name;
    m_recordKey = r.Name.toUpper();
    m_mode = r.MLTmode;
    m_up = r.UpLink.toDouble();
    m_down = r.DownLink.toDouble();
    m_width = r.Width.trimmed().isEmpty() ? 100.0 : r.Width.toDouble();
    m_transpose = r.TransposeHz;
    bool toneOk = false;
    m_tone = r.Tone.toDouble(&toneOk);
    if (!toneOk)
        m_tone = 0;
    const bool uu = m_mode == u"UU";
    m_fm = r.HasTone == 1 && !uu;
    double beaconKhz = 0;
    const bool beaconOk = FrequencyText::parse(r.Beacon, &beaconKhz);
    m_beacon = (!m_fm && beaconOk) ? beaconKhz * 1000.0 : 0.0;
    for (int i : {0, 1, 2, 3, 5}) {
        m_buttonColor[i] = Grey;
        m_view.setBackColor(controls::dopplerButton(i), Grey);
    }

    const QString fmTip = QStringLiteral("FM衛星ではﾓｰﾄﾞ変更不可");
    if (uu) {
        for (Control c :
             {Control::Offset, Control::OffsetDownButton, Control::OffsetUpButton, Control::WaterfallButton,
              Control::HomeButton, Control::HoldReceiveButton, Control::HoldTransmitButton})
            m_view.setEnabled(c, false);
        m_view.setEnabled(Control::HoldSatelliteButton, true);
        m_view.setEnabled(Control::PauseButton, true);
        m_view.setEnabled(Control::BeaconButton, m_beacon > 0);
        m_view.setText(Control::TxMode, QStringLiteral("USB"));
    } else if (!m_fm) {
        for (Control c : {Control::Offset, Control::OffsetDownButton, Control::OffsetUpButton,
                          Control::HomeButton, Control::HoldReceiveButton, Control::HoldSatelliteButton,
                          Control::HoldTransmitButton, Control::PauseButton, Control::BeaconButton})
            m_view.setEnabled(c, true);
        updateHomeTip();
        m_view.setToolTip(Control::RxMode, QStringLiteral("左ｸﾘｯｸ(ALT+F)でﾓｰﾄﾞ変更可"));
        m_view.setToolTip(Control::TxMode, QStringLiteral("左ｸﾘｯｸ(ALT+G)でﾓｰﾄﾞ変更可"));
    } else {
        for (Control c : {Control::Offset, Control::OffsetDownButton, Control::OffsetUpButton,
                          Control::HoldReceiveButton, Control::HoldTransmitButton, Control::BeaconButton})
            m_view.setEnabled(c, false);
        m_view.setEnabled(Control::HoldSatelliteButton, true);
        m_view.setEnabled(Control::PauseButton, true);
        bool ok = false;
        const int rit = r.RITfreq.toInt(&ok);
        m_view.setValue(Control::RitBar, ok ? qBound(-10000, rit, 10000) : 0);
        setRit(ok ? qBound(-10000, rit, 10000) : 0);
        m_view.setText(Control::Tone, FrequencyText::decimal(m_tone) + QStringLiteral("Hz"));
        m_view.setToolTip(Control::RxMode, fmTip);
        m_view.setToolTip(Control::TxMode, fmTip);
    }
    m_view.setToolTip(Control::SatelliteName, m_satName + QStringLiteral(" 諸元はCLICK here"));
    layoutScale();
    if (withOffset)
        loadStoredOffset();
}

void PanelCore::loadStoredOffset()
{
    int stored = 0;
    bool ok = false;
    stored = settingsText(satInfo(), keys::offsetKey(m_recordName, m_mode), QStringLiteral("0"))
                 .trimmed()
                 .toInt(&ok);
    setOffset(ok && !m_fm ? stored : 0, true);
}

void PanelCore::layoutScale()
{
    if (m_record == 0)
        return;
    const bool uu = m_mode == u"UU";
    const double edge = (uu || m_qqSide == u"1") ? m_down : m_up;
    m_scaleWidth = m_width * 1000.0;
    if (m_fm)
        m_scaleLeft = (edge - std::floor(std::nearbyint(m_width) / 2.0)) * 1000.0;
    else
        m_scaleLeft = edge * 1000.0;
    m_view.setValue(Control::PassbandScale, m_scaleLeft);
    emit scaleChanged();
}

void PanelCore::setQqSide(const QString &side)
{
    m_qqSide = side == u"0" ? QStringLiteral("0") : QStringLiteral("1");
    const bool tx = m_qqSide == u"0";
    m_view.setText(Control::QuickQsySide, tx ? QStringLiteral("QQTX") : QStringLiteral("QQRX"));
    m_view.setBackColor(Control::QuickQsySide, tx ? QqTxColor : QqRxColor);
    layoutScale();
}

// ---- passband scale -------------------------------------------------------------

void PanelCore::scaleClick(double hz, bool leftButton)
{
    if (m_settingsOpen)
        return;
    send(QStringLiteral("RCMQSM"), m_qqSide);
    if (!leftButton)
        return;
    // The scale works in single precision, as its positions do.
    const float position = float(hz);
    const qint64 f = qint64(std::nearbyint(double(position)));
    m_view.setValue(Control::FrequencyLine, double(f));
    send(QStringLiteral("RCMQSY"), QString::number(f));
}

void PanelCore::scaleHover(double hz)
{
    if (m_settingsOpen)
        return;
    m_view.setAnchor(Control::HoverFrequency, m_qqSide == u"0" ? Control::TxFrequency : Control::RxFrequency);
    m_view.setText(Control::HoverFrequency, FrequencyText::display(std::nearbyint(double(float(hz)))));
    m_view.setVisible(Control::HoverFrequency, true);
}

void PanelCore::scaleLeave()
{
    m_view.setVisible(Control::HoverFrequency, false);
}

void PanelCore::toggleQuickQsySide()
{
    setQqSide(m_qqSide == u"1" ? QStringLiteral("0") : QStringLiteral("1"));
    send(QStringLiteral("RCMQSM"), m_qqSide);
}

// ---- offset -----------------------------------------------------------------------

void PanelCore::setOffset(int value, bool force)
{
    const bool changed = m_offset != value || m_view[Control::Offset].text != QString::number(value);
    m_offset = value;
    m_view.setText(Control::Offset, QString::number(value));
    if (changed || force)
        send(QStringLiteral("RCMOFF"), QString::number(value));
}

void PanelCore::stepOffset(int delta)
{
    if (delta < 0 && m_offset <= -OffsetLimit)
        return;
    if (delta > 0 && m_offset >= OffsetLimit)
        return;
    setOffset(qBound(-OffsetLimit, m_offset + delta, OffsetLimit));
}

void PanelCore::offsetButtonPress(int direction, bool bigStep)
{
    if (m_fm || m_mode == u"UU" || direction == 0)
        return;
    m_repeatDelta = (direction > 0 ? 1 : -1) * (bigStep ? 100 : 10);
    stepOffset(m_repeatDelta);
    m_repeating = true;
    m_repeatLast = m_clock.nowMs();
}

void PanelCore::offsetButtonRelease()
{
    m_repeating = false;
}

void PanelCore::poll()
{
    if (!m_repeating)
        return;
    const qint64 now = m_clock.nowMs();
    while (m_repeating && now - m_repeatLast >= RepeatIntervalMs) {
        m_repeatLast += RepeatIntervalMs;
        stepOffset(m_repeatDelta);
    }
}

void PanelCore::saveOffset()
{
    if (m_fm || m_record == 0 || m_satName.isEmpty() || m_satName == undefinedSatellite())
        return;
    if (m_beaconRef && m_beacon > 0) {
        const int back = roundEven(m_offset * m_transpose / m_beacon);
        m_settings.file().set(satInfo(), keys::offsetKey(m_beaconRefSat, m_mode), QString::number(back));
        return;
    }
    m_settings.file().set(satInfo(), keys::offsetKey(m_recordName, m_mode), QString::number(m_offset));
}

void PanelCore::resetOffset()
{
    m_waterfallShift = 0;
    send(QStringLiteral("RCMTXP"), QStringLiteral("0"));
    m_offset = 0;
    m_view.setText(Control::Offset, QStringLiteral("0"));
    send(QStringLiteral("RCMOFR"), QStringLiteral("0"));
    if (!m_fm && m_record > 0)
        m_settings.file().set(satInfo(), keys::offsetKey(m_recordName, m_mode), QStringLiteral("0"));
}

void PanelCore::waterfallButton()
{
    if (!m_channel.titleExists(waterfallTitle()))
        return;
    m_waterfallShift = 0;
    send(QStringLiteral("RCMTXP"), QStringLiteral("0"));
    m_view.setBackColor(Control::WaterfallButton, Grey);
    requestFocus(Control::CallSign);
}

// ---- beacon reference and Doppler-mode buttons -----------------------------------------

void PanelCore::enterBeaconReference()
{
    if (m_beaconRef || m_transpose == 0)
        return;
    send(QStringLiteral("RCMOFK"), QStringLiteral("K"));
    m_beaconRefSat = m_recordName;
    m_beaconRefMode = m_mode;
    m_beaconRef = true;
    setOffset(roundEven(m_offset / m_transpose * m_beacon));
}

void PanelCore::leaveBeaconReference()
{
    if (!m_beaconRef)
        return;
    send(QStringLiteral("RCMOFK"), QStringLiteral("C"));
    m_beaconRef = false;
    if (m_beacon > 0)
        setOffset(roundEven(m_offset / m_beacon * m_transpose));
}

void PanelCore::endBeaconMode()
{
    if (!m_beaconMode)
        return;
    leaveBeaconReference();
    m_beaconMode = false;
    m_view.setVisible(Control::BeaconFrame, false);
}

void PanelCore::colourButtons(int green)
{
    for (int i : {0, 1, 2, 3, 5}) {
        const int colour = i == green ? Green : Grey;
        m_buttonColor[i] = colour;
        m_view.setBackColor(controls::dopplerButton(i), colour);
    }
}

void PanelCore::dopplerButton(int index)
{
    if (index < 0 || index > 5 || index == 4)
        return;
    waterfallButton();
    const bool uu = m_mode == u"UU";
    const int mode = uu ? 6 : index;
    m_dopplerMode = mode;
    send(QStringLiteral("RCMDOP"), QString::number(mode));
    const QString pauseCaption = QStringLiteral("追従停止(&P)");
    if (mode == 0 || mode == 2) {
        m_flagA = false;
        colourButtons(index);
        m_view.setText(Control::PauseButton, pauseCaption);
        endBeaconMode();
        if (mode == 2)
            m_pause = 0;
    } else if (mode == 1 || mode == 6) {
        const int before = m_buttonColor[1];
        const auto magenta = [this] {
            for (int i : {0, 2, 3, 5}) {
                m_buttonColor[i] = Grey;
                m_view.setBackColor(controls::dopplerButton(i), Grey);
            }
            m_buttonColor[1] = Magenta;
            m_view.setBackColor(Control::HoldSatelliteButton, Magenta);
        };
        if (mode == 1 && before == Green) {
            magenta();
            m_flagA = true;
            send(QStringLiteral("RCMSFX"), QStringLiteral("1"));
        } else if (mode == 1 && before == Grey && m_flagB) {
            magenta();
            m_flagA = true;
            send(QStringLiteral("RCMSFX"), QStringLiteral("1"));
        } else if (mode == 1 && before == Magenta && m_flagB) {
            colourButtons(1);
            m_flagB = false;
            send(QStringLiteral("RCMOFX"), QStringLiteral("0"));
            m_flagA = false;
            send(QStringLiteral("RCMSFX"), QStringLiteral("0"));
        } else {
            if (!m_flagB) {
                m_flagA = false;
                send(QStringLiteral("RCMSFX"), QStringLiteral("0"));
                colourButtons(1);
            }
            m_flagB = false;
            send(QStringLiteral("RCMOFX"), QStringLiteral("0"));
        }
        m_view.setText(Control::PauseButton, pauseCaption);
        endBeaconMode();
    } else if (mode == 3) {
        colourButtons(3);
        if (m_pause == 1) {
            m_pause = 2;
            m_view.setText(Control::PauseButton, QStringLiteral("制御停止(&P)"));
        } else {
            m_pause = 1;
            m_view.setText(Control::PauseButton, pauseCaption);
        }
        send(QStringLiteral("RCMPUS"), QString::number(m_pause));
    } else if (mode == 5) {
        m_flagA = false;
        if (!m_beaconMode) {
            send(QStringLiteral("RCMBCF"), FrequencyText::decimal(m_beacon));
            if (m_modeComp) {
                m_beaconRef = false;
                send(QStringLiteral("RCMOFK"), QStringLiteral("C"));
            }
            enterBeaconReference();
            m_beaconMode = true;
        }
        colourButtons(5);
    }
}

void PanelCore::dopplerButtonRelease(int index, bool rightButton, int modifiers)
{
    if (!m_beaconMode)
        return;
    if (index != 5) {
        m_view.setVisible(Control::BeaconFrame, false);
        return;
    }
    if (!rightButton || modifiers != 0)
        return;
    const QList<Beacon> beacons = BeaconFile::forSatellite(
        BeaconFile::read(findFileNoCase(m_dataDir, BeaconFile::fileName())), m_satKey);
    QStringList rows;
    m_beaconRows.clear();
    for (const Beacon &b : beacons) {
        rows.append(b.satellite + u' ' + b.label + u' ' + b.frequencyKHz);
        m_beaconRows.append(b.frequencyKHz);
    }
    m_view.setItems(Control::BeaconList, rows);
    m_view.setVisible(Control::BeaconFrame, !rows.isEmpty());
}

void PanelCore::chooseBeacon(int row)
{
    if (row < 0 || row >= m_beaconRows.size())
        return;
    m_pause = 0;
    send(QStringLiteral("RCMPUS"), QStringLiteral("0"));
    // The list holds kilohertz, possibly with decimals ("145972.5"); the
    // controller takes hertz, so convert rather than append zeros.
    double khz = 0;
    if (!FrequencyText::parse(m_beaconRows.at(row), &khz))
        return;
    send(QStringLiteral("RCMBCF"), QString::number(std::llround(khz * 1000.0)));
    send(QStringLiteral("RCMSTP"), QStringLiteral("0"));
}

// ---- operating modes --------------------------------------------------------------------

QString PanelCore::modeCode(int index, bool data) const
{
    static const char *plain[4] = {"1", "3", "4", "2"};
    static const char *withData[4] = {"1", "8", "9", "7"};
    if (index < 0 || index > 3)
        return QString();
    return QString::fromLatin1(data ? withData[index] : plain[index]);
}

void PanelCore::txModeOption(int index)
{
    if (index < 0 || index > 3)
        return;
    for (int i = 0; i < 4; ++i)
        m_view.setChecked(controls::txModeOption(i), i == index);
    send(QStringLiteral("RCMMDS"), modeCode(index, m_view[Control::TxData].checked));
    m_view.setVisible(Control::TxModeFrame, false);
    m_txChooser = false;
}

void PanelCore::rxModeOption(int index)
{
    if (index < 0 || index > 3)
        return;
    for (int i = 0; i < 4; ++i)
        m_view.setChecked(controls::rxModeOption(i), i == index);
    send(QStringLiteral("RCMMDM"), modeCode(index, m_view[Control::RxData].checked) + m_filter);
    m_settings.setValue(keys::RxFilter, m_filter);
}

void PanelCore::filterOption(int index)
{
    if (index < 1 || index > 3)
        return;
    m_filter = QString::number(index);
    for (int i = 0; i < 4; ++i)
        m_view.setChecked(controls::filterOption(i), i == index);
    for (int i = 0; i < 4; ++i) {
        if (m_view[controls::rxModeOption(i)].checked) {
            send(QStringLiteral("RCMMDM"), modeCode(i, m_view[Control::RxData].checked) + m_filter);
            break;
        }
    }
    m_settings.setValue(keys::RxFilter, m_filter);
}

void PanelCore::setModeCompensation(bool on, bool fromKey)
{
    m_modeComp = on;
    m_view.setChecked(Control::ModeCompensation, on);
    // In beacon mode the compensation is the beacon reference of the offset:
    // one flag, so that the offset is converted once whichever turns it on.
    if (m_dopplerMode == 5 && m_beacon > 0) {
        if (on)
            enterBeaconReference();
        else
            leaveBeaconReference();
    }
    send(QStringLiteral("RCMMDC"), on ? QStringLiteral("1") : QStringLiteral("0"));
    m_settings.setValue(keys::ModeComp, on ? QStringLiteral("1") : QStringLiteral("0"));
    requestFocus(Control::CallSign);
    const QString text = QStringLiteral("モード補正を") +
                         (on ? QStringLiteral(" ON ") : QStringLiteral(" OFF ")) +
                         QStringLiteral("しました。");
    if (fromKey)
        m_prompter.timedNotice(text, panelTitle(), 1);
    else
        m_prompter.message(text, panelTitle(), Prompter::Icon::Information);
}

void PanelCore::setSplit(int value)
{
    m_split = qBound(-500, value, 1000);
    m_view.setValue(Control::XitBar, m_split);
    const QString label =
        m_split > 0 ? QStringLiteral("+%1Hz").arg(m_split) : QStringLiteral("%1Hz").arg(m_split);
    m_view.setText(Control::SplitValue, label);
    if (m_view[Control::Xit].checked) {
        send(QStringLiteral("RCMSPT"), QString::number(m_split) + u'S');
        m_view.setText(Control::XitPanel, QStringLiteral("XIT ") + label);
        m_view.setText(Control::XitMarker, m_split < 1 ? QStringLiteral("XIT %1Hz").arg(m_split)
                                                       : QStringLiteral("XIT +%1Hz").arg(m_split));
    } else {
        send(QStringLiteral("RCMSPT"), QString::number(m_split));
    }
    m_settings.setValue(keys::SplitF, QString::number(m_split));
}

void PanelCore::setXit(bool on)
{
    const bool was = m_view[Control::Xit].checked;
    if (was == on)
        return;
    m_view.setChecked(Control::Xit, on);
    if (on) {
        send(QStringLiteral("RCMSPT"), QString::number(m_split) + u'S');
        m_view.setAnchor(Control::XitMarker, Control::TxFrequency);
        m_view.setText(Control::XitMarker, m_split < 1 ? QStringLiteral("XIT %1Hz").arg(m_split)
                                                       : QStringLiteral("XIT +%1Hz").arg(m_split));
        m_view.setVisible(Control::XitMarker, true);
        m_view.setText(Control::XitPanel, QStringLiteral("XIT ") + m_view[Control::SplitValue].text);
    } else {
        send(QStringLiteral("RCMSPT"), QString::number(m_split));
        m_view.setVisible(Control::XitMarker, false);
        m_view.setText(Control::XitPanel, QStringLiteral("XIT -OFF"));
    }
    requestFocus(Control::CallSign);
}

// ---- home frequency ---------------------------------------------------------------------------

QString PanelCore::homeValue() const
{
    if (m_record == 0)
        return QString();
    return settingsText(QString::fromUtf8(keys::HomeFreqSection), m_recordName + m_mode, QString());
}

void PanelCore::updateHomeTip()
{
    const QString value = homeValue();
    if (value.size() > 2)
        m_view.setToolTip(Control::HomeButton, QStringLiteral("Goto ") + value.left(2) +
                                                   QStringLiteral("Freq : ") + value.mid(2) +
                                                   QStringLiteral("MHz"));
    else
        m_view.setToolTip(Control::HomeButton, QString());
}

void PanelCore::openHomeEntry()
{
    if (m_record == 0)
        return;
    const QString value = homeValue();
    int option = 0;
    QString text;
    if (value.size() > 2) {
        const QString side = value.left(2);
        option = side == u"TX" ? 1 : side == u"SR" ? 2 : 0;
        text = value.mid(2);
    }
    for (int i = 0; i < 3; ++i)
        m_view.setChecked(controls::homeOption(i), i == option);
    m_view.setText(Control::HomeEntry, text);
    m_view.setEnabled(Control::HomeEntry, true);
    m_view.setVisible(Control::HomeFrame, true);
    requestFocus(Control::HomeEntry);
}

void PanelCore::closeHomeEntry()
{
    m_view.setVisible(Control::HomeFrame, false);
}

bool PanelCore::storeHomeFrequency(const QString &mhzText, int option)
{
    double mhz = 0;
    const QString typed = mhzText.trimmed();
    bool valid = m_record > 0 && option >= 0 && option <= 2 && FrequencyText::parse(typed, &mhz);
    const double khz = mhz * 1000.0;
    const double edge = option == 1 ? m_up : m_down;
    // A little slack for the decimal text's binary rounding at the edges.
    valid = valid && khz >= edge - 1e-6 && khz <= edge + m_width + 1e-6;
    if (!valid) {
        m_prompter.message(QStringLiteral("周波数不正です、バンド外では？"), panelTitle(),
                           Prompter::Icon::Warning);
        requestFocus(Control::HomeEntry);
        return false;
    }
    static const char *sides[3] = {"RX", "TX", "SR"};
    m_settings.file().set(QString::fromUtf8(keys::HomeFreqSection), m_recordName + m_mode,
                          QString::fromLatin1(sides[option]) + typed);
    updateHomeTip();
    closeHomeEntry();
    return true;
}

void PanelCore::homeRecall()
{
    closeHomeEntry();
    const QString value = homeValue();
    double mhz = 0;
    if (value.size() < 3 || !FrequencyText::parse(value.mid(2), &mhz))
        return;
    const QString f = QString::number(std::llround(mhz * 1000000.0));
    const QString side = value.left(2);
    if (side == u"RX") {
        setQqSide(QStringLiteral("1"));
        send(QStringLiteral("RCMQSM"), QStringLiteral("1"));
        send(QStringLiteral("RCMDOP"), QStringLiteral("0"));
        send(QStringLiteral("RCMQSY"), f);
    } else if (side == u"TX") {
        setQqSide(QStringLiteral("0"));
        send(QStringLiteral("RCMQSM"), QStringLiteral("0"));
        send(QStringLiteral("RCMDOP"), QStringLiteral("2"));
        send(QStringLiteral("RCMQSY"), f);
    } else if (side == u"SR") {
        m_dopplerMode = 3;
        send(QStringLiteral("RCMDOP"), QStringLiteral("3"));
        m_pause = 2;
        m_flagA = true;
        m_flagB = true;
        send(QStringLiteral("RCMOFX"), QStringLiteral("1"));
        send(QStringLiteral("RCMSFX"), QStringLiteral("1"));
        send(QStringLiteral("RCMQFX"), f);
    }
    layoutScale();
}

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
    QString name = QStringLiteral("衛星名    : ") + m_satName;
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

void PanelCore::clickTrackedName()
{
    if (m_calcType == u"4")
        emit satelliteChooserRequested();
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
        m_prompter.timedNotice(QStringLiteral("FM衛星です、モード変更は出来ません"), panelTitle(), 2);
        return;
    }
    if (!modeChoosersAllowed())
        return;
    toggleRxChooser();
}

void PanelCore::clickTxModeLabel(bool rightButton)
{
    if (m_fm) {
        m_prompter.timedNotice(QStringLiteral("FM衛星です、モード変更は出来ません"), panelTitle(), 2);
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
    m_view.setText(box, text);
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
