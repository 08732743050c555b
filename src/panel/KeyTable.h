#pragma once

#include <QList>
#include <QString>

namespace vm {

// The panel's keyboard map as data: each row names a key, the modifier
// states it answers to, the condition under which it is live and the action.
// Rows are tried in order; a key event takes the first row whose key,
// modifiers and condition all hold.
class KeyTable {
public:
    // Modifier bits as the panel compares them (whole values: Shift+Alt is 5).
    enum Modifier { Shift = 1, Ctrl = 2, Alt = 4 };

    enum class Mods {
        Any,             // every modifier state
        None,            // no modifier
        ShiftOnly,       // exactly Shift
        CtrlOnly,        // exactly Ctrl
        AltOnly,         // exactly Alt
        CtrlAlt,         // exactly Ctrl+Alt
        ShiftAlt,        // exactly Shift+Alt
        ShiftOrCtrl,     // exactly Shift or exactly Ctrl
        NotShiftNorCtrl, // anything but exactly Shift and exactly Ctrl
        NotShift,        // anything but exactly Shift
    };

    enum class Condition {
        Always,
        CwSpeedPopupShown,
        OffsetUpAllowed,   // mode list closed, not FM, offset below 30000
        OffsetDownAllowed, // mode list closed, not FM, offset above -30000
        TxChooserHiddenNotFmBelowMax,
        TxChooserHiddenNotFmAboveMin,
        TxChooserHiddenTxCw,
        TxChooserShownXitAboveMin,
        TxChooserShownXitBelowMax,
        ClipboardHasImage,
        ModeChoosersAllowed, // satellite mode not "UU", or main rig IC9700
        ModeChoosersAllowedTxLabelCw,
        TxCw,
        NotFm,
        CwBarEnabledNotFmMessageSet,
        CwBarEnabledNotFm,
    };

    enum class Action {
        CloseCwSpeedPopup,
        Escape,
        OffsetUp100,
        OffsetDown100,
        OffsetDown10,
        OffsetUp10,
        CwSpeedDown,
        CwSpeedUp,
        XitDown,
        XitUp,
        ToggleInsert,
        Screenshot,
        Copy,
        ClearQso,
        ToggleRxChooser,
        ToggleTxChooser,
        ToggleCwSpeedPopup,
        ToggleModeList,
        DeleteSelection,
        EmergencyEnd,
        StoreQuickMemory,
        RecallQuickMemory,
        SendCwMessage,
        EditCwMessage,
        ToggleModeCompensation,
        FocusCallSign,
    };

    struct Row {
        QList<int> keys; // Qt::Key values
        Mods mods;
        Condition condition;
        Action action;
        int slot = 0; // quick memory or CW message number (1..4)
    };

    // The rows in their order.
    static const QList<Row> &rows();

    // True when a modifier state satisfies a modifier rule.
    static bool matches(Mods mods, int modifiers);
};

} // namespace vm
