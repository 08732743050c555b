// The CW message bar: sending the four messages, their editor, stopping.
#include "common/Clock.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "panel/CwMessage.h"
#include "panel/FrequencyText.h"
#include "panel/PanelCore.h"

#include <QDateTime>
#include <QLocale>

namespace vm {

namespace {

QString messageKey(int slot)
{
    return QStringLiteral("CW Message-%1").arg(slot);
}

} // namespace

cw::KeyingFamily PanelCore::keyingFamily() const
{
    return cw::keyingFamily(m_rigContType, m_rig1Model, m_rig2Model);
}

QString PanelCore::cwMessage(int slot) const
{
    return slot >= 1 && slot <= cw::MessageCount ? m_cwMessages.at(slot - 1) : QString();
}

void PanelCore::showCwMessage(int slot)
{
    const QString text = cwMessage(slot);
    const cw::ButtonLook look = cw::buttonLook(slot, text);
    const Control button = controls::cwMessage(slot - 1);
    m_view.setText(button, look.caption);
    m_view.setForeColor(button, look.colour);
    m_view.setToolTip(button, text);
}

void PanelCore::sendCwMessage(int slot)
{
    const QString message = cwMessage(slot);
    if (m_fm || message.isEmpty())
        return;
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(m_clock.utcMs()).toLocalTime();
    const QString call = m_view[Control::CallSign].text;
    const QString expanded = cw::expandMacros(message, now.time().hour(), call);
    const QString payload = cw::keyingPayload(keyingFamily(), slot, expanded);
    if (payload.isEmpty())
        return;
    send(QStringLiteral("RCMCWM"), payload);
    if (m_extended && (slot == 1 || slot == 2)) {
        const QString middle = slot == 1 ? m_view[Control::Code].text : message;
        writeTxLog(QLocale::system().toString(now.time(), QLocale::ShortFormat) + QLatin1Char(' ') + call +
                   QLatin1Char(',') + middle + QLatin1Char(',') + m_satName + QLatin1Char(',') +
                   QString::number(m_rxHz / 1e6, 'f', 3));
    }
}

void PanelCore::editCwMessage(int slot, bool mouseOnButton)
{
    if (slot < 1 || slot > cw::MessageCount)
        return;
    m_view.setVisible(Control::CwPresetList, m_extended && mouseOnButton && slot == 2);
    const int limit = cw::editorLimit(keyingFamily());
    if (limit > 0)
        m_cwEditLimit = limit;
    m_cwEditSlot = slot;
    m_view.setValue(Control::CwMessageEdit, m_cwEditLimit); // the editor's maximum length
    m_view.setText(Control::CwMessageEdit, cwMessage(slot));
    m_view.setVisible(Control::CwEditFrame, true);
    requestFocus(Control::CwMessageEdit);
}

void PanelCore::typeCwMessage(const QString &text)
{
    m_view.setText(Control::CwMessageEdit, cw::editorText(text, m_cwEditLimit));
}

void PanelCore::closeCwEditor()
{
    m_view.setVisible(Control::CwEditFrame, false);
    m_view.setVisible(Control::CwPresetList, false);
    m_cwEditSlot = 0;
    requestFocus(Control::CallSign);
}

void PanelCore::saveCwMessage()
{
    const int slot = m_cwEditSlot;
    if (slot < 1 || slot > cw::MessageCount)
        return closeCwEditor();
    const QString message = cw::editorText(m_view[Control::CwMessageEdit].text, m_cwEditLimit).trimmed();
    m_cwMessages[slot - 1] = message;
    writeSetting(QString::fromUtf8(keys::RigConCfgSection), messageKey(slot), message);
    showCwMessage(slot);
    const QString memory = cw::memoryPayload(keyingFamily(), slot, message);
    if (!memory.isEmpty())
        send(QStringLiteral("RCMCWM"), memory);
    closeCwEditor();
}

void PanelCore::choosePresetCwMessage(const QString &line)
{
    m_view.setText(Control::CwMessageEdit, line);
    saveCwMessage();
}

void PanelCore::stopCw()
{
    send(QStringLiteral("RCMCSP"), QStringLiteral("L=10"));
    requestFocus(Control::CallSign);
}

} // namespace vm
