// The panel's keyboard map and status-bar gestures.
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "panel/PanelCore.h"

#include <QCoreApplication>
#include <QDir>

namespace vm {

bool PanelCore::condition(KeyTable::Condition condition, int slot) const
{
    using C = KeyTable::Condition;
    const bool txChooser = m_view[Control::TxModeFrame].visible;
    const ControlState &xit = m_view[Control::XitBar];
    switch (condition) {
    case C::Always:
        return true;
    case C::CwSpeedPopupShown:
        return m_view[Control::CwSpeedFrame].visible;
    case C::OffsetUpAllowed:
        return !m_view[Control::ModeListFrame].visible && !m_fm && m_offset < OffsetLimit;
    case C::OffsetDownAllowed:
        return !m_view[Control::ModeListFrame].visible && !m_fm && m_offset > -OffsetLimit;
    case C::TxChooserHiddenNotFmBelowMax:
        return !txChooser && !m_fm && m_offset < OffsetLimit;
    case C::TxChooserHiddenNotFmAboveMin:
        return !txChooser && !m_fm && m_offset > -OffsetLimit;
    case C::TxChooserHiddenTxCw:
        return !txChooser && m_txMode == u"CW";
    case C::TxChooserShownXitAboveMin:
        return txChooser && xit.value > xit.minimum;
    case C::TxChooserShownXitBelowMax:
        return txChooser && xit.value < xit.maximum;
    case C::ClipboardHasImage:
        return m_clipboardImage;
    case C::ModeChoosersAllowed:
        return modeChoosersAllowed();
    case C::ModeChoosersAllowedTxLabelCw:
        return modeChoosersAllowed() && m_view[Control::TxMode].text == u"CW";
    case C::TxCw:
        return m_txMode == u"CW";
    case C::NotFm:
        return !m_fm;
    case C::CwBarEnabledNotFmMessageSet:
        return m_view[Control::CwMessageFrame].enabled && !m_fm && !cwMessage(slot).isEmpty();
    case C::CwBarEnabledNotFm:
        return m_view[Control::CwMessageFrame].enabled && !m_fm;
    }
    return false;
}

const KeyTable::Row *PanelCore::findRow(int key, int modifiers) const
{
    for (const KeyTable::Row &row : KeyTable::rows()) {
        if (row.keys.contains(key) && KeyTable::matches(row.mods, modifiers) && condition(row.condition, row.slot))
            return &row;
    }
    return nullptr;
}

bool PanelCore::takesKey(int key, int modifiers) const
{
    return findRow(key, modifiers) != nullptr;
}

bool PanelCore::handleKey(int key, int modifiers)
{
    const KeyTable::Row *row = findRow(key, modifiers);
    if (!row)
        return false;
    perform(*row);
    return true;
}

void PanelCore::perform(const KeyTable::Row &row)
{
    using A = KeyTable::Action;
    switch (row.action) {
    case A::CloseCwSpeedPopup:
        closeCwSpeedPopup();
        break;
    case A::Escape:
        escape();
        break;
    case A::OffsetUp100:
        setOffset(m_offset + 100);
        break;
    case A::OffsetDown100:
        setOffset(m_offset - 100);
        break;
    case A::OffsetDown10:
        setOffset(m_offset - 10);
        break;
    case A::OffsetUp10:
        setOffset(m_offset + 10);
        break;
    case A::CwSpeedDown:
        changeCwSpeed(-1);
        break;
    case A::CwSpeedUp:
        changeCwSpeed(1);
        break;
    case A::XitDown:
        setSplit(int(m_view[Control::XitBar].value) - 100);
        break;
    case A::XitUp:
        setSplit(int(m_view[Control::XitBar].value) + 100);
        break;
    case A::ToggleInsert:
        toggleInsert();
        break;
    case A::Screenshot:
        ++m_screenshots;
        emit screenshotRequested(
            QDir(m_dataDir).filePath(QStringLiteral("Velomira画面%1.bmp").arg(m_screenshots)));
        break;
    case A::Copy:
        emit editRequested(Edit::Copy);
        break;
    case A::ClearQso:
        m_view.setText(Control::CallSign, QString());
        m_view.setText(Control::Code, QString());
        m_digitalMark.clear();
        requestFocus(Control::CallSign);
        break;
    case A::ToggleRxChooser:
        toggleRxChooser();
        break;
    case A::ToggleTxChooser:
        toggleTxChooser();
        break;
    case A::ToggleCwSpeedPopup:
        toggleCwSpeedPopup();
        break;
    case A::ToggleModeList:
        clickModeLabel();
        break;
    case A::DeleteSelection:
        emit editRequested(Edit::Delete);
        break;
    case A::EmergencyEnd:
        emergencyEnd();
        break;
    case A::StoreQuickMemory:
        storeQuickMemory(row.slot);
        break;
    case A::RecallQuickMemory:
        recallQuickMemory(row.slot);
        break;
    case A::SendCwMessage:
        sendCwMessage(row.slot);
        break;
    case A::EditCwMessage:
        editCwMessage(row.slot, false);
        break;
    case A::ToggleModeCompensation:
        setModeCompensation(!m_modeComp, true);
        break;
    case A::FocusCallSign:
        requestFocus(Control::CallSign);
        break;
    }
}

void PanelCore::escape()
{
    if (m_view[Control::ScheduleLineEdit].visible)
        closeScheduleLineEditor();
    const bool editing = m_view[Control::CwEditFrame].visible;
    if (editing) {
        closeCwEditor();
        emit focusRequested(QString());
    }
    if (m_view[Control::MessageFrame].visible) {
        send(QStringLiteral("RCMSSP"));
        m_view.setVisible(Control::MessageFrame, false);
        emit focusRequested(QString());
    } else if (m_view[Control::CwMessageFrame].visible && m_view[Control::CwMessageFrame].enabled &&
               !editing && m_view[Control::TxMode].text == u"CW") {
        send(QStringLiteral("RCMCSP"), QStringLiteral("L=10"));
    }
    if (m_view[Control::CodeListFrame].visible) {
        m_view.setVisible(Control::CodeListFrame, false);
        m_view.setItems(Control::CodeList, {});
        requestFocus(Control::Code);
    }
    m_view.setVisible(Control::RitFrame, false);
    m_view.setVisible(Control::CwSpeedFrame, false);
    m_cwPopup = false;
    m_view.setVisible(Control::RxModeFrame, false);
    m_rxChooser = false;
    m_view.setVisible(Control::TxModeFrame, false);
    m_txChooser = false;
}

void PanelCore::toggleInsert()
{
    m_insert = !m_insert;
    m_view.setText(Control::InsertModePanel, m_insert ? QCoreApplication::translate("Panel", "挿入")
                                                      : QCoreApplication::translate("Panel", "上書き"));
}

void PanelCore::toggleRrInp()
{
    m_rrInp = m_rrInp == u"1" ? QStringLiteral("0") : QStringLiteral("1");
    m_settings.setValue(keys::RrInp, m_rrInp);
    send(QStringLiteral("RCMRRT"), m_rrInp);
    m_view.setText(Control::RrInpPanel,
                   m_rrInp == u"1" ? QStringLiteral("R/R Inp ON") : QStringLiteral("R/R Inp OFF"));
}

void PanelCore::statusBarClick(int panel, bool doubleClick)
{
    if (!doubleClick) {
        switch (panel) {
        case 1:
            toggleInsert();
            break;
        case 11:
            toggleRrInp();
            break;
        case 13:
            if (m_txMode == u"CW")
                changeCwSpeed(-1);
            break;
        case 15:
            if (m_txMode == u"CW")
                changeCwSpeed(1);
            break;
        case 16:
            setXit(!m_view[Control::Xit].checked);
            break;
        default:
            break;
        }
        return;
    }
    if (panel >= 2 && panel <= 5 && m_view[Control::Rig1StatePanel].text == u"Closed")
        send(QStringLiteral("RCMRTR"), QStringLiteral("1"));
    else if (panel >= 7 && panel <= 10 && m_view[Control::Rig2StatePanel].text == u"Closed")
        send(QStringLiteral("RCMRTR"), QStringLiteral("2"));
}

} // namespace vm
