#pragma once

// Texts that other programs and files read: channel titles, record payloads,
// stored names and the satellite table's header. They are protocol, never
// translated: no tr() around them. Settings sections and keys are declared in
// SettingKeys.h, record commands where their handlers are. Texts a person
// reads go through tr() / QCoreApplication::translate instead (the Japanese
// is the source text, translations/velomira_en.ts holds the English).
namespace vm::protocol {

// Channel titles.
inline constexpr char PanelTitle[] = "Velomira";
inline constexpr char ControllerTitle[] = "環境設定Tunavox";
// The satellite name of a channel with no table entry, stored and exchanged.
inline constexpr char UndefinedSatellite[] = "未定義星";
// Payload of "OPPTXF" while the controller is ending.
inline constexpr char EndingPayload[] = "終了処理中";
// First line of SATdata.txt.
inline constexpr char SatelliteTableHeader[] =
    "衛 星 名,UP Link(KHz),Down Link(KHz),Width(KHz),Beacon(KHz),Tone(Hz),"
    "TX TRV(KHz),RX TRV(KHz),NonRev,MLTmode";

} // namespace vm::protocol
