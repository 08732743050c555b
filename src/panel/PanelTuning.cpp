// The panel's tuning: the current satellite, the passband scale and the offset.
#include "common/Channel.h"
#include "common/Clock.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "panel/FrequencyText.h"
#include "panel/PanelCore.h"

#include <cmath>

#include <QCoreApplication>

namespace vm {

const QString &PanelCore::satInfo()
{
    static const QString s = QString::fromUtf8(keys::SatInfoSection);
    return s;
}

int PanelCore::roundEven(double v)
{
    return int(std::nearbyint(v));
}

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
    // The extended mode has the tracking program refresh its display controls.
    if (m_extended && m_calcType == u"1")
        clickTracker({56, 57});
    emit scheduleWindowRefresh();
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

    const QString fmTip = QCoreApplication::translate("Panel", "FM衛星ではﾓｰﾄﾞ変更不可");
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
        m_view.setToolTip(Control::RxMode, QCoreApplication::translate("Panel", "左ｸﾘｯｸ(ALT+F)でﾓｰﾄﾞ変更可"));
        m_view.setToolTip(Control::TxMode, QCoreApplication::translate("Panel", "左ｸﾘｯｸ(ALT+G)でﾓｰﾄﾞ変更可"));
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
    m_view.setToolTip(Control::SatelliteName,
                      QCoreApplication::translate("Panel", "%1 諸元はCLICK here").arg(m_satName));
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

} // namespace vm
