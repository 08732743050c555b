#include "panel/KeyTable.h"

#include <Qt>

namespace vm {

namespace {

QList<KeyTable::Row> buildRows()
{
    using A = KeyTable::Action;
    using C = KeyTable::Condition;
    using M = KeyTable::Mods;
    QList<KeyTable::Row> rows{
        {{Qt::Key_Return, Qt::Key_Enter}, M::Any, C::CwSpeedPopupShown, A::CloseCwSpeedPopup},
        {{Qt::Key_Escape}, M::Any, C::Always, A::Escape},
        {{Qt::Key_PageUp}, M::Any, C::OffsetUpAllowed, A::OffsetUp100},
        {{Qt::Key_PageDown}, M::Any, C::OffsetDownAllowed, A::OffsetDown100},
        {{Qt::Key_Left, Qt::Key_Down}, M::ShiftOnly, C::TxChooserHiddenNotFmAboveMin, A::OffsetDown10},
        {{Qt::Key_Right, Qt::Key_Up}, M::ShiftOnly, C::TxChooserHiddenNotFmBelowMax, A::OffsetUp10},
        {{Qt::Key_Left, Qt::Key_Down}, M::CtrlOnly, C::TxChooserHiddenTxCw, A::CwSpeedDown},
        {{Qt::Key_Right, Qt::Key_Up}, M::CtrlOnly, C::TxChooserHiddenTxCw, A::CwSpeedUp},
        {{Qt::Key_Left, Qt::Key_Down}, M::ShiftOrCtrl, C::TxChooserShownXitAboveMin, A::XitDown},
        {{Qt::Key_Right, Qt::Key_Up}, M::ShiftOrCtrl, C::TxChooserShownXitBelowMax, A::XitUp},
        {{Qt::Key_Insert}, M::Any, C::Always, A::ToggleInsert},
        {{Qt::Key_B}, M::CtrlAlt, C::ClipboardHasImage, A::Screenshot},
        {{Qt::Key_C}, M::CtrlOnly, C::Always, A::Copy},
        {{Qt::Key_C}, M::AltOnly, C::Always, A::ClearQso},
        {{Qt::Key_F}, M::AltOnly, C::ModeChoosersAllowed, A::ToggleRxChooser},
        {{Qt::Key_G}, M::AltOnly, C::ModeChoosersAllowed, A::ToggleTxChooser},
        {{Qt::Key_G}, M::ShiftAlt, C::ModeChoosersAllowedTxLabelCw, A::ToggleCwSpeedPopup},
        {{Qt::Key_H}, M::CtrlOnly, C::TxCw, A::CwSpeedUp},
        {{Qt::Key_Y}, M::CtrlOnly, C::TxCw, A::CwSpeedDown},
        {{Qt::Key_L}, M::AltOnly, C::ModeChoosersAllowed, A::ToggleModeList},
        {{Qt::Key_T, Qt::Key_X}, M::CtrlOnly, C::Always, A::DeleteSelection},
        {{Qt::Key_Z}, M::CtrlAlt, C::Always, A::EmergencyEnd},
    };
    for (int n = 1; n <= 4; ++n)
        rows.append({{Qt::Key_F1 + n - 1}, M::NotShiftNorCtrl, C::NotFm, A::StoreQuickMemory, n});
    for (int n = 1; n <= 4; ++n)
        rows.append({{Qt::Key_F1 + n - 1}, M::ShiftOrCtrl, C::Always, A::RecallQuickMemory, n});
    for (int n = 1; n <= 4; ++n)
        rows.append({{Qt::Key_F5 + n - 1}, M::NotShift, C::CwBarEnabledNotFmMessageSet, A::SendCwMessage, n});
    for (int n = 1; n <= 4; ++n)
        rows.append({{Qt::Key_F5 + n - 1}, M::ShiftOnly, C::CwBarEnabledNotFm, A::EditCwMessage, n});
    rows.append({{Qt::Key_F9}, M::Any, C::Always, A::ToggleModeCompensation});
    rows.append({{Qt::Key_F10}, M::Any, C::Always, A::FocusCallSign});
    return rows;
}

} // namespace

const QList<KeyTable::Row> &KeyTable::rows()
{
    static const QList<Row> table = buildRows();
    return table;
}

bool KeyTable::matches(Mods mods, int modifiers)
{
    switch (mods) {
    case Mods::Any:
        return true;
    case Mods::None:
        return modifiers == 0;
    case Mods::ShiftOnly:
        return modifiers == Shift;
    case Mods::CtrlOnly:
        return modifiers == Ctrl;
    case Mods::AltOnly:
        return modifiers == Alt;
    case Mods::CtrlAlt:
        return modifiers == (Ctrl | Alt);
    case Mods::ShiftAlt:
        return modifiers == (Shift | Alt);
    case Mods::ShiftOrCtrl:
        return modifiers == Shift || modifiers == Ctrl;
    case Mods::NotShiftNorCtrl:
        return modifiers != Shift && modifiers != Ctrl;
    case Mods::NotShift:
        return modifiers != Shift;
    }
    return false;
}

} // namespace vm
