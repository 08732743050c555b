// RIT of FM satellites: the pop-up's bar, its marker and the stored value.
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "panel/FrequencyText.h"
#include "panel/PanelCore.h"

namespace vm {

void PanelCore::openRit()
{
    if (!m_fm || m_recordKey != m_satKey)
        return;
    m_view.setAnchor(Control::RitFrame, Control::RxMode);
    m_view.setVisible(Control::RitFrame, true);
    requestFocus(Control::RitBar);
}

void PanelCore::setRit(int hz)
{
    const int v = qBound(-10000, hz, 10000);
    m_view.setValue(Control::RitBar, v);
    const QString text = FrequencyText::oneDecimal(v / 1000.0);
    if (v != 0) {
        m_view.setAnchor(Control::RitMarker, Control::RxFrequency);
        m_view.setToolTip(Control::RitMarker, QStringLiteral("RIT=") + text + QStringLiteral("KHz"));
        m_view.setVisible(Control::RitMarker, true);
    } else {
        m_view.setVisible(Control::RitMarker, false);
    }
    m_view.setText(Control::RitValue, text);
    if (!m_recordKey.isEmpty() && m_recordKey == m_satKey) {
        m_rit = v;
        if (m_rig1Open == 1)
            send(QStringLiteral("RCMRIT"), QString::number(v));
    }
}

void PanelCore::ritSet()
{
    const int v = int(m_view[Control::RitBar].value);
    for (int n = 2; n <= m_table.count(); ++n) {
        SatelliteRecord &r = m_table.records()[n - 1];
        if (r.Name.toUpper() == m_satKey && r.isUsable() && r.HasTone == 1) {
            m_settings.file().set(QString::fromUtf8(keys::SatInfoSection),
                                  keys::ritFreqKey(r.Name, r.MLTmode), QString::number(v));
            r.RITfreq = QString::number(v);
            break;
        }
    }
    m_view.setVisible(Control::RitFrame, false);
    requestFocus(Control::CallSign);
}

void PanelCore::ritReset()
{
    setRit(0);
    requestFocus(Control::RitBar);
}

} // namespace vm
