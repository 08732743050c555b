#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <optional>

namespace vm {

// Every control of the operation panel, by what it is. The core addresses
// controls only through these; the windows name their widgets (objectName)
// by each control's form name from controlTable below, which is also the
// name tests look controls up by. Families (the Doppler-mode buttons, the
// quick memories, the status panels, ...) are contiguous so that the
// functions in namespace controls can index them.
enum class Control : unsigned char {
    // ---- displays and labels
    SatelliteName,        // Label1: its colour tells whether the satellite is up
    RxFrequency,          // Label2
    TxFrequency,          // Label3
    SatelliteMode,        // Label5: the current transponder mode of a multi-mode satellite
    SatelliteModeCaption, // Label35: "Mode"
    NoticeText,           // Label29: the schedule notice in the message frame
    RxCaption,            // Label7: "RX"
    TxCaption,            // Label8: "TX"
    Offset,               // Label10: the operator's offset in Hz
    HoverFrequency,       // Label12: the pointer's frequency over the passband scale
    RxAboveMarker,        // Label13_0: "↑" on the RX display
    RxBelowMarker,        // Label13_1: "↓" on the RX display
    TxAboveMarker,        // Label13_2: "↑" on the TX display
    TxBelowMarker,        // Label13_3: "↓" on the TX display
    TrackedName,          // Label14: the satellite's name as the tracking program gives it
    OrbitNumber,          // Label15
    RxMode,               // Label16
    TxMode,               // Label17
    QuickQsySide,         // Label21: "QQRX" / "QQTX"
    SplitValue,           // Label24: the XIT bar's value
    RitValue,             // Label26: the RIT bar's value in kHz
    Tone,                 // Label27: an FM satellite's tone
    RitMarker,            // Label28: "R" on the RX display while RIT is not 0
    XitMarker,            // Label40: on the TX display while XIT is on
    QuickMemory1,         // Label4_1 .. Label4_4: "QM1" .. "QM4"
    QuickMemory2,
    QuickMemory3,
    QuickMemory4,
    FrequencyLine,    // Line1: the marker line on the passband scale
    QuickMemoryLine1, // Line2_1 .. Line2_4: the quick memories' lines on the scale
    QuickMemoryLine2,
    QuickMemoryLine3,
    QuickMemoryLine4,
    PassbandScale, // Picture2
    CwMessage1,    // Label30_0 .. Label30_3: the CW message memories (F5 .. F8)
    CwMessage2,
    CwMessage3,
    CwMessage4,
    CwStopButton,  // the stop button "×" of the CW message bar

    // ---- buttons
    HoldReceiveButton,   // Command1_0 "受信固定(&R)"
    HoldSatelliteButton, // Command1_1 "衛星固定(&S)"
    HoldTransmitButton,  // Command1_2 "送信固定(&T)"
    PauseButton,         // Command1_3 "追従停止(&P)"
    BeaconButton,        // Command1_5 "BC(&B)"
    LogButton,           // Command2
    HomeButton,          // Command3
    OffsetResetButton,   // Command5
    OffsetDownButton,    // Command8
    OffsetUpButton,      // Command9
    WaterfallButton,     // Command10
    RitSetButton,        // Command11
    RitResetButton,      // Command12
    ScheduleMacroButton, // Command13 "マクロ作成して　登録/閉"
    ScheduleRegisterButton, // Command6 "登録/閉"
    ScheduleClearButton,    // Command4 "ｸﾘｱ"
    OpenMacroButton,        // Command18 "開 Macro.txt"
    RecordButton,        // Command15
    PlayButton,          // Command16
    CwSpeedCloseButton,  // Command17

    // ---- check boxes
    SoundNotice,      // Check1 "予告サウンド"
    MailNotice,       // Check2 "予告メール"
    TxData,           // Check3
    ModeCompensation, // Check4 "MC"
    MacroNoticeTime,  // Check5: the notice time is added to the macro's AOS times
    RxData,           // Check6
    NoiseBlanker,     // Check7
    NoiseReduction,   // Check8
    Xit,              // Check9

    // ---- option buttons, each family in the order CW, USB, LSB, FM
    TxModeCw, // Option1_0 .. Option1_3
    TxModeUsb,
    TxModeLsb,
    TxModeFm,
    RxModeCw, // Option2_0 .. Option2_3
    RxModeUsb,
    RxModeLsb,
    RxModeFm,
    HomeRx,        // Option3_0
    HomeTx,        // Option3_1
    HomeSatellite, // Option3_2
    FilterNone,    // Option4_0 (never shown)
    Filter1,       // Option4_1 .. Option4_3
    Filter2,
    Filter3,

    // ---- scroll bars
    RitBar,     // HScroll1
    CwSpeedBar, // HScroll2
    XitBar,     // HScroll3: the split value

    // ---- frames
    InfoFrame,          // Frame1: the tracking program's information
    ScheduleFrame,      // Frame3
    CwSpeedFrame,       // Frame4
    RitFrame,           // Frame6
    MessageFrame,       // Frame7
    BeaconFrame,        // Frame8
    TxModeFrame,        // Frame9
    RxModeFrame,        // Frame10
    CwEditFrame,        // Frame11
    CwMessageFrame,     // Frame12
    ModeListFrame,      // Frame13
    SatelliteDataFrame, // Frame14
    HomeFrame,          // Frame15
    FilterFrame,        // Frame16
    NbNrFrame,          // Frame17
    QsoFrame,           // Frame18
    CodeListFrame,      // Frame19
    QuickMemoryFrame,   // Frame20

    // ---- lists and edit boxes
    ScheduleList,   // List1: the day's passes, "hh:mm/satellite"
    BeaconList,     // List2
    ModeList,       // List3
    ModeRecordList, // List4: the record numbers of List3's modes (never shown)
    RecentCalls,    // List5 (never shown)
    CwPresetList,   // List6: the two preset CW messages beside the editor (extended mode)
    CodeList,       // List7
    CallSign,       // Text1
    Code,           // Text2
    ScheduleLineEdit, // Text3: the schedule list's line editor
    CwMessageEdit,  // Text4
    HomeEntry,      // Text6
    SatelliteData,  // Text7

    // ---- status bar panels 1 .. 16
    InsertModePanel,
    Rig1ModelPanel,
    Rig1PortPanel,
    Rig1StatePanel,
    Rig1ErrorPanel,
    RigGapPanel,
    Rig2ModelPanel,
    Rig2PortPanel,
    Rig2StatePanel,
    Rig2ErrorPanel,
    RrInpPanel,
    CwGapPanel,
    CwSlowerPanel,
    CwSpeedPanel,
    CwFasterPanel,
    XitPanel,

    // ---- menu entries
    ControllerSettingsMenu, // SetRIG
    Ft4Menu,                // goFT4
    MmvariMenu,             // goMMV
    ScheduleMenu,           // mkSKD
    ScheduleNoticeMenu,     // skdMsg: the next pass, or the end of the run
    InfoMenu,               // info
    ActiveSatellitesMenu,   // goARSurl
    SatelliteStatusMenu,    // SatStus
    MacroMenu,              // MAC: starts or stops the tracking program's macro
};

struct ControlName {
    Control control;
    const char *formName;
};

// The one table of the controls' form names, in the order of Control.
inline constexpr std::array controlTable{
    ControlName{Control::SatelliteName, "Label1"},
    ControlName{Control::RxFrequency, "Label2"},
    ControlName{Control::TxFrequency, "Label3"},
    ControlName{Control::SatelliteMode, "Label5"},
    ControlName{Control::SatelliteModeCaption, "Label35"},
    ControlName{Control::NoticeText, "Label29"},
    ControlName{Control::RxCaption, "Label7"},
    ControlName{Control::TxCaption, "Label8"},
    ControlName{Control::Offset, "Label10"},
    ControlName{Control::HoverFrequency, "Label12"},
    ControlName{Control::RxAboveMarker, "Label13_0"},
    ControlName{Control::RxBelowMarker, "Label13_1"},
    ControlName{Control::TxAboveMarker, "Label13_2"},
    ControlName{Control::TxBelowMarker, "Label13_3"},
    ControlName{Control::TrackedName, "Label14"},
    ControlName{Control::OrbitNumber, "Label15"},
    ControlName{Control::RxMode, "Label16"},
    ControlName{Control::TxMode, "Label17"},
    ControlName{Control::QuickQsySide, "Label21"},
    ControlName{Control::SplitValue, "Label24"},
    ControlName{Control::RitValue, "Label26"},
    ControlName{Control::Tone, "Label27"},
    ControlName{Control::RitMarker, "Label28"},
    ControlName{Control::XitMarker, "Label40"},
    ControlName{Control::QuickMemory1, "Label4_1"},
    ControlName{Control::QuickMemory2, "Label4_2"},
    ControlName{Control::QuickMemory3, "Label4_3"},
    ControlName{Control::QuickMemory4, "Label4_4"},
    ControlName{Control::FrequencyLine, "Line1"},
    ControlName{Control::QuickMemoryLine1, "Line2_1"},
    ControlName{Control::QuickMemoryLine2, "Line2_2"},
    ControlName{Control::QuickMemoryLine3, "Line2_3"},
    ControlName{Control::QuickMemoryLine4, "Line2_4"},
    ControlName{Control::PassbandScale, "Picture2"},
    ControlName{Control::CwMessage1, "Label30_0"},
    ControlName{Control::CwMessage2, "Label30_1"},
    ControlName{Control::CwMessage3, "Label30_2"},
    ControlName{Control::CwMessage4, "Label30_3"},
    ControlName{Control::CwStopButton, "Command30"},
    ControlName{Control::HoldReceiveButton, "Command1_0"},
    ControlName{Control::HoldSatelliteButton, "Command1_1"},
    ControlName{Control::HoldTransmitButton, "Command1_2"},
    ControlName{Control::PauseButton, "Command1_3"},
    ControlName{Control::BeaconButton, "Command1_5"},
    ControlName{Control::LogButton, "Command2"},
    ControlName{Control::HomeButton, "Command3"},
    ControlName{Control::OffsetResetButton, "Command5"},
    ControlName{Control::OffsetDownButton, "Command8"},
    ControlName{Control::OffsetUpButton, "Command9"},
    ControlName{Control::WaterfallButton, "Command10"},
    ControlName{Control::RitSetButton, "Command11"},
    ControlName{Control::RitResetButton, "Command12"},
    ControlName{Control::ScheduleMacroButton, "Command13"},
    ControlName{Control::ScheduleRegisterButton, "Command6"},
    ControlName{Control::ScheduleClearButton, "Command4"},
    ControlName{Control::OpenMacroButton, "Command18"},
    ControlName{Control::RecordButton, "Command15"},
    ControlName{Control::PlayButton, "Command16"},
    ControlName{Control::CwSpeedCloseButton, "Command17"},
    ControlName{Control::SoundNotice, "Check1"},
    ControlName{Control::MailNotice, "Check2"},
    ControlName{Control::TxData, "Check3"},
    ControlName{Control::ModeCompensation, "Check4"},
    ControlName{Control::MacroNoticeTime, "Check5"},
    ControlName{Control::RxData, "Check6"},
    ControlName{Control::NoiseBlanker, "Check7"},
    ControlName{Control::NoiseReduction, "Check8"},
    ControlName{Control::Xit, "Check9"},
    ControlName{Control::TxModeCw, "Option1_0"},
    ControlName{Control::TxModeUsb, "Option1_1"},
    ControlName{Control::TxModeLsb, "Option1_2"},
    ControlName{Control::TxModeFm, "Option1_3"},
    ControlName{Control::RxModeCw, "Option2_0"},
    ControlName{Control::RxModeUsb, "Option2_1"},
    ControlName{Control::RxModeLsb, "Option2_2"},
    ControlName{Control::RxModeFm, "Option2_3"},
    ControlName{Control::HomeRx, "Option3_0"},
    ControlName{Control::HomeTx, "Option3_1"},
    ControlName{Control::HomeSatellite, "Option3_2"},
    ControlName{Control::FilterNone, "Option4_0"},
    ControlName{Control::Filter1, "Option4_1"},
    ControlName{Control::Filter2, "Option4_2"},
    ControlName{Control::Filter3, "Option4_3"},
    ControlName{Control::RitBar, "HScroll1"},
    ControlName{Control::CwSpeedBar, "HScroll2"},
    ControlName{Control::XitBar, "HScroll3"},
    ControlName{Control::InfoFrame, "Frame1"},
    ControlName{Control::ScheduleFrame, "Frame3"},
    ControlName{Control::CwSpeedFrame, "Frame4"},
    ControlName{Control::RitFrame, "Frame6"},
    ControlName{Control::MessageFrame, "Frame7"},
    ControlName{Control::BeaconFrame, "Frame8"},
    ControlName{Control::TxModeFrame, "Frame9"},
    ControlName{Control::RxModeFrame, "Frame10"},
    ControlName{Control::CwEditFrame, "Frame11"},
    ControlName{Control::CwMessageFrame, "Frame12"},
    ControlName{Control::ModeListFrame, "Frame13"},
    ControlName{Control::SatelliteDataFrame, "Frame14"},
    ControlName{Control::HomeFrame, "Frame15"},
    ControlName{Control::FilterFrame, "Frame16"},
    ControlName{Control::NbNrFrame, "Frame17"},
    ControlName{Control::QsoFrame, "Frame18"},
    ControlName{Control::CodeListFrame, "Frame19"},
    ControlName{Control::QuickMemoryFrame, "Frame20"},
    ControlName{Control::ScheduleList, "List1"},
    ControlName{Control::BeaconList, "List2"},
    ControlName{Control::ModeList, "List3"},
    ControlName{Control::ModeRecordList, "List4"},
    ControlName{Control::RecentCalls, "List5"},
    ControlName{Control::CwPresetList, "List6"},
    ControlName{Control::CodeList, "List7"},
    ControlName{Control::CallSign, "Text1"},
    ControlName{Control::Code, "Text2"},
    ControlName{Control::ScheduleLineEdit, "Text3"},
    ControlName{Control::CwMessageEdit, "Text4"},
    ControlName{Control::HomeEntry, "Text6"},
    ControlName{Control::SatelliteData, "Text7"},
    ControlName{Control::InsertModePanel, "StatusBar1_1"},
    ControlName{Control::Rig1ModelPanel, "StatusBar1_2"},
    ControlName{Control::Rig1PortPanel, "StatusBar1_3"},
    ControlName{Control::Rig1StatePanel, "StatusBar1_4"},
    ControlName{Control::Rig1ErrorPanel, "StatusBar1_5"},
    ControlName{Control::RigGapPanel, "StatusBar1_6"},
    ControlName{Control::Rig2ModelPanel, "StatusBar1_7"},
    ControlName{Control::Rig2PortPanel, "StatusBar1_8"},
    ControlName{Control::Rig2StatePanel, "StatusBar1_9"},
    ControlName{Control::Rig2ErrorPanel, "StatusBar1_10"},
    ControlName{Control::RrInpPanel, "StatusBar1_11"},
    ControlName{Control::CwGapPanel, "StatusBar1_12"},
    ControlName{Control::CwSlowerPanel, "StatusBar1_13"},
    ControlName{Control::CwSpeedPanel, "StatusBar1_14"},
    ControlName{Control::CwFasterPanel, "StatusBar1_15"},
    ControlName{Control::XitPanel, "StatusBar1_16"},
    ControlName{Control::ControllerSettingsMenu, "SetRIG"},
    ControlName{Control::Ft4Menu, "goFT4"},
    ControlName{Control::MmvariMenu, "goMMV"},
    ControlName{Control::ScheduleMenu, "mkSKD"},
    ControlName{Control::ScheduleNoticeMenu, "skdMsg"},
    ControlName{Control::InfoMenu, "info"},
    ControlName{Control::ActiveSatellitesMenu, "goARSurl"},
    ControlName{Control::SatelliteStatusMenu, "SatStus"},
    ControlName{Control::MacroMenu, "MAC"},
};

inline constexpr std::size_t ControlCount = controlTable.size();

constexpr std::size_t indexOf(Control c)
{
    return std::size_t(c);
}

constexpr Control controlAt(std::size_t index)
{
    return controlTable[index].control;
}

namespace detail {
constexpr bool tableInEnumOrder()
{
    for (std::size_t i = 0; i < controlTable.size(); ++i)
        if (indexOf(controlTable[i].control) != i)
            return false;
    return indexOf(Control::MacroMenu) + 1 == controlTable.size();
}
} // namespace detail
static_assert(detail::tableInEnumOrder(), "controlTable lists every Control once, in the enum's order");

// The control's form name ("Label12" for HoverFrequency).
QString formName(Control c);
// The control of a form name; nullopt for a name that is none.
std::optional<Control> controlNamed(QStringView formName);

// The indexed families.
namespace controls {

// The Doppler-mode buttons' indices: 0 hold receive, 1 hold satellite,
// 2 hold transmit, 3 pause, 5 beacon (mode 4 has no button).
inline constexpr int DopplerButtonIndices[] = {0, 1, 2, 3, 5};
// Doppler-mode button `index`, one of DopplerButtonIndices.
Control dopplerButton(int index);
// The index of a Doppler-mode button; nullopt for any other control.
std::optional<int> dopplerIndex(Control c);

// The out-of-passband markers of the RX or TX display.
constexpr Control aboveMarker(bool rx)
{
    return rx ? Control::RxAboveMarker : Control::TxAboveMarker;
}
constexpr Control belowMarker(bool rx)
{
    return rx ? Control::RxBelowMarker : Control::TxBelowMarker;
}

// Quick memory `slot` (1 .. 4): its label and its line on the scale.
Control quickMemoryLabel(int slot);
Control quickMemoryLine(int slot);
std::optional<int> quickMemorySlot(Control label);

// CW message memory `index` (0 .. 3, keys F5 .. F8).
Control cwMessage(int index);
// The slot (1-4) of a CW message button.
std::optional<int> cwMessageSlot(Control label);

// Mode option `index` (0 CW, 1 USB, 2 LSB, 3 FM) of the TX and RX choosers.
Control txModeOption(int index);
Control rxModeOption(int index);
// Filter option `index` (1 .. 3; 0 is the hidden one).
Control filterOption(int index);
// Home frequency side `index` (0 RX, 1 TX, 2 satellite).
Control homeOption(int index);

// Status bar panel `panel` (1 .. 16).
Control statusPanel(int panel);
std::optional<int> statusPanelNumber(Control c);

} // namespace controls

} // namespace vm
