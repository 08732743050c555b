// The panel's Doppler-mode buttons with the beacon reference, the operating
// modes (mode and filter options, mode compensation, split and XIT) and the
// home frequencies.
#include "common/BeaconFile.h"
#include "common/DataDir.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "panel/FrequencyText.h"
#include "panel/PanelCore.h"
#include "panel/Prompter.h"

#include <cmath>

#include <QCoreApplication>

namespace vm {

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
    const QString pauseCaption = QCoreApplication::translate("Panel", "追従停止(&P)");
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
            m_view.setText(Control::PauseButton, QCoreApplication::translate("Panel", "制御停止(&P)"));
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
    const QString text = QCoreApplication::translate("Panel", "モード補正を %1 しました。")
                             .arg(on ? QStringLiteral("ON") : QStringLiteral("OFF"));
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
        m_prompter.message(QCoreApplication::translate("Panel", "周波数不正です、バンド外では？"),
                           panelTitle(), Prompter::Icon::Warning);
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

} // namespace vm
