#pragma once

#include "common/SettingKey.h"

#include <QList>
#include <QString>

#include <limits>

// Every key of the settings file "Velomira.ini", each declared once with its
// section, default and normalisation rule. Loaders read them with
// Settings::value(key); per-satellite keys are built by the functions below.
namespace vm::keys {

// Section names.
inline constexpr char RigConCfgSection[] = "RIG_CON_CFG";
inline constexpr char VlmrcSection[] = "VLMRC";
inline constexpr char SatInfoSection[] = "SATinfo";
inline constexpr char HamlogSection[] = "HAMLOGpos";
inline constexpr char WavSection[] = "WAVPOS";
inline constexpr char MailToolSection[] = "MAILtoolpos";
inline constexpr char VelomiraSection[] = "Velomira";
inline constexpr char SoundSection[] = "SoundCFG";
inline constexpr char CallsSection[] = "CallsLast50";
inline constexpr char NoaaSection[] = "NOAA_Rec";
inline constexpr char HomeFreqSection[] = "HomeFreq";
inline constexpr char QthSection[] = "QTH";
inline constexpr char TrackSection[] = "TRACK";
inline constexpr char LogbookSection[] = "LOGBOOK";

// ---- [RIG_CON_CFG] --------------------------------------------------------
// Band indicator of the last main / sub receiver frequency (first two of ten digits).
inline constexpr SettingKey LMF{RigConCfgSection, "LMF", "", KeyRule::BandDigits};
inline constexpr SettingKey LSF{RigConCfgSection, "LSF", "", KeyRule::BandDigits};
// Control loop interval in ms, at least 50.
inline constexpr SettingKey PollTime{RigConCfgSection, "Poll_Time", "1000", KeyRule::Integer, 50};
// "1": power the rig off when its port is closed.
inline constexpr SettingKey AutoPowerOff{RigConCfgSection, "AutoPowerOFF", "0", KeyRule::Integer};
// "Yes": two rigs; read only to derive a missing RigContType.
inline constexpr SettingKey Use2Rig{RigConCfgSection, "USE_2Rig", "", KeyRule::Text};
// Rig configuration 0..4.
inline constexpr SettingKey RigContType{
    RigConCfgSection, "RigContType", "0", KeyRule::RigContType, std::numeric_limits<int>::min(),
    nullptr,          &Use2Rig};
inline constexpr SettingKey StartUpMode{
    RigConCfgSection, "StartUpMODE", "SSB", KeyRule::Choice, std::numeric_limits<int>::min(), "SSB|CW|UC"};
// Rig models ("None" when missing or empty).
inline constexpr SettingKey RigType{RigConCfgSection, "RIG_TYPE", "None", KeyRule::NonEmpty};
inline constexpr SettingKey RigType2{RigConCfgSection, "RIG_TYPE2", "None", KeyRule::NonEmpty};
// Serial device path of each rig, or "None".
inline constexpr SettingKey RigComCont{
    RigConCfgSection, "RIGCOMCONT", "None", KeyRule::Port, std::numeric_limits<int>::min(),
    nullptr,          &RigType};
inline constexpr SettingKey RigComCont2{
    RigConCfgSection, "RIGCOMCONT2", "None", KeyRule::Port, std::numeric_limits<int>::min(),
    nullptr,          &RigType2};
inline constexpr char BaudRates[] = "1200|4800|9600|19200|38400|57600|115200";
inline constexpr SettingKey BaudRate{
    RigConCfgSection, "BAUD_RATE", "9600", KeyRule::Choice, std::numeric_limits<int>::min(), BaudRates};
inline constexpr SettingKey BaudRate2{
    RigConCfgSection, "BAUD_RATE2", "9600", KeyRule::Choice, std::numeric_limits<int>::min(), BaudRates};
// CI-V addresses, two hexadecimal digits.
inline constexpr SettingKey IcomRigAdrs{RigConCfgSection, "ICOM_RIGadrs", "00", KeyRule::CivAddress};
inline constexpr SettingKey IcomRigAdrs2{RigConCfgSection, "ICOM_RIGadrs2", "00", KeyRule::CivAddress};
// Tracking program kind: "1" Kepral32, "2" Ornik, "3" Kepral99, "4" built-in.
inline constexpr SettingKey CalcType{RigConCfgSection, "Calc_Type", "1", KeyRule::NonEmpty};
inline constexpr SettingKey CwSpeed{RigConCfgSection, "CWspeed", nullptr, KeyRule::Text};
inline constexpr SettingKey KwpOn{RigConCfgSection, "KWPon", "3", KeyRule::Integer};
inline constexpr SettingKey Tsv{RigConCfgSection, "TSV", nullptr, KeyRule::Text};
inline constexpr SettingKey RxFilter{RigConCfgSection, "RX_Filter", "1", KeyRule::Text};
// Split value of the panel in Hz (0 when not a number).
inline constexpr SettingKey SplitF{RigConCfgSection, "SplitF", "0", KeyRule::Integer};

// ---- [VLMRC] --------------------------------------------------------------
// "0": registry method, anything else: DDE.
inline constexpr SettingKey UseDde{VlmrcSection, "use_DDE", "1", KeyRule::ZeroElseOne};
// "1": range-rate smoothing on.
inline constexpr SettingKey RrInp{VlmrcSection, "RR_INP", "0", KeyRule::OneElseZero};
// Response wait in ms used for both rigs while FT4 operation is on.
inline constexpr SettingKey Ftc{VlmrcSection, "FTC", "25", KeyRule::Integer};
// Settings window position (twips).
inline constexpr SettingKey CfgPosTop{VlmrcSection, "CFGPOSTop", "0", KeyRule::Number};
inline constexpr SettingKey CfgPosLeft{VlmrcSection, "CFGPOSLeft", "0", KeyRule::Number};
// Run-time facts one program leaves for the other.
inline constexpr SettingKey ControllerMe{VlmrcSection, "ME", nullptr, KeyRule::Text};
inline constexpr SettingKey ControllerVersion{VlmrcSection, "RC", nullptr, KeyRule::Text};
inline constexpr SettingKey Cfo{VlmrcSection, "CFO", nullptr, KeyRule::Text};
inline constexpr SettingKey Tc{VlmrcSection, "TC", nullptr, KeyRule::Text};
inline constexpr SettingKey Tc2{VlmrcSection, "TC2", nullptr, KeyRule::Text};
inline constexpr SettingKey Etc{VlmrcSection, "ETC", nullptr, KeyRule::Text};
inline constexpr SettingKey Etc2{VlmrcSection, "ETC2", nullptr, KeyRule::Text};
inline constexpr SettingKey PanelVersion{VlmrcSection, "OP", nullptr, KeyRule::Text};
// "1" while the controller's satellite-registration window is open.
inline constexpr SettingKey Sro{VlmrcSection, "SRO", nullptr, KeyRule::Text};
// The satellite editor's position (twips).
inline constexpr char AddSatDatSection[] = "ADD_SAT_DAT";
inline constexpr SettingKey SatEditorTop{AddSatDatSection, "FPosTop", nullptr, KeyRule::Number};
inline constexpr SettingKey SatEditorLeft{AddSatDatSection, "FPosLeft", nullptr, KeyRule::Number};
// Wine registry file read by the registry tracking method.
inline constexpr SettingKey RegFile{VlmrcSection, "RegFile", "~/.wine/user.reg", KeyRule::NonEmpty};

// ---- [SATinfo] ------------------------------------------------------------
// CW/SSB mode offset in Hz.
inline constexpr SettingKey ModeOffset{SatInfoSection, "MODEoffset", "700", KeyRule::Integer};

// ---- [HAMLOGpos] ----------------------------------------------------------
inline constexpr SettingKey HamlogPath{HamlogSection, "HAMLOGの場所", "", KeyRule::Text};
inline constexpr SettingKey HamlogDbPath{HamlogSection, "HDBの場所", "", KeyRule::Text};
inline constexpr SettingKey RemPos{
    HamlogSection, "RemPos", "Rem1", KeyRule::Choice, std::numeric_limits<int>::min(), "Rem1|Rem2"};
inline constexpr SettingKey Remarks{HamlogSection, "Remarks", "%Via #SN(Rev##RV)%", KeyRule::Text};
inline constexpr SettingKey AdifMk{HamlogSection, "ADIFmk", "0", KeyRule::Integer};
inline constexpr SettingKey WsjtxPath{HamlogSection, "WSJTX/JTDXの場所", "", KeyRule::Text};

// ---- [LOGBOOK]: where the transfer button sends a contact (any combination)
// "1": append to an ADIF file (a name in the data folder or an absolute path).
inline constexpr SettingKey LogToAdif{LogbookSection, "ToADIF", "1", KeyRule::OneElseZero};
inline constexpr SettingKey AdifFileName{LogbookSection, "ADIFFile", "velomira_log.adi", KeyRule::NonEmpty};
// "1": send to loggers listening to the WSJT-X UDP protocol (unicast or multicast).
inline constexpr SettingKey LogToUdp{LogbookSection, "ToUDP", "0", KeyRule::OneElseZero};
inline constexpr SettingKey UdpHost{LogbookSection, "UDPHost", "127.0.0.1", KeyRule::NonEmpty};
inline constexpr SettingKey UdpPort{LogbookSection, "UDPPort", "2237", KeyRule::Integer, 1};
// The port the panel takes WSJT-X's and JTDX's "QSO Logged" announcements on.
inline constexpr SettingKey WsjtxListenPort{LogbookSection, "WSJTXPort", "2237", KeyRule::Integer, 1};
// "1": fill in the Windows logging program's entry form (through the Wine bridge).
inline constexpr SettingKey LogToHamlog{LogbookSection, "ToHAMLOG", "0", KeyRule::OneElseZero};

// ---- [WAVPOS], [MAILtoolpos], [SoundCFG] ----------------------------------
inline constexpr SettingKey WavFPos{WavSection, "WavFPOS", "", KeyRule::Text};
// Minutes relative to a pass, negative before it.
inline constexpr SettingKey WavStart{WavSection, "WavStart", "0", KeyRule::Integer};
inline constexpr SettingKey MailToolPath{MailToolSection, "HWCVMailの場所", "", KeyRule::Text};
inline constexpr SettingKey RecSpl{SoundSection, "RecSPL", "11025", KeyRule::Integer};
inline constexpr SettingKey RecFol{SoundSection, "RecFOL", "", KeyRule::Text};
// Sound card input and output by their description; empty means the system default.
inline constexpr SettingKey SoundInDevice{SoundSection, "InDevice", "", KeyRule::Text};
inline constexpr SettingKey SoundOutDevice{SoundSection, "OutDevice", "", KeyRule::Text};

// ---- [OPschd]: the schedule window ---------------------------------------
inline constexpr char ScheduleWindowSection[] = "OPschd";
inline constexpr SettingKey ScheduleTop{ScheduleWindowSection, "wTop", nullptr, KeyRule::Number};
inline constexpr SettingKey ScheduleLeft{ScheduleWindowSection, "wLeft", nullptr, KeyRule::Number};
// The maximum-elevation threshold (degrees) and "only after now" ("1").
inline constexpr SettingKey ScheduleThreshold{ScheduleWindowSection, "Ski", "0", KeyRule::Integer};
inline constexpr SettingKey ScheduleAfterNow{ScheduleWindowSection, "TimeChk", "0", KeyRule::Text};

// ---- [Velomira] -----------------------------------------------------------
inline constexpr SettingKey StartCmdMode{VelomiraSection, "StartCmdMode", "3", KeyRule::NonEmpty};
inline constexpr SettingKey PanelMe{VelomiraSection, "ME", nullptr, KeyRule::Text};
// Language of both programs' windows: "ja", "en" or "auto" (the desktop's locale).
inline constexpr SettingKey Language{
    VelomiraSection, "Language", "auto", KeyRule::Choice, std::numeric_limits<int>::min(), "ja|en|auto"};
// Panel window position (twips); absent until first saved.
inline constexpr SettingKey VlrcTop{VelomiraSection, "VLRCTop", nullptr, KeyRule::Number};
inline constexpr SettingKey VlrcLeft{VelomiraSection, "VLRCLeft", nullptr, KeyRule::Number};
inline constexpr SettingKey WfStart{VelomiraSection, "WFst", "0", KeyRule::Text};
inline constexpr SettingKey QqMode{VelomiraSection, "QQ Mode", "1", KeyRule::ZeroElseOne};
inline constexpr SettingKey SkdTime{VelomiraSection, "SKDtime", "0", KeyRule::Text};
inline constexpr SettingKey ModeComp{VelomiraSection, "MODEcomp", "0", KeyRule::Text};
// "7" once the panel has migrated an older settings file.
inline constexpr SettingKey MigrationLevel{VelomiraSection, "IM", nullptr, KeyRule::Text};
// Folder of the TX log day files; absent until the first log line.
inline constexpr SettingKey LogFol{VelomiraSection, "LogFol", nullptr, KeyRule::Text};
inline constexpr SettingKey Skd1{VelomiraSection, "SKD1", nullptr, KeyRule::Text};
inline constexpr SettingKey Skd2{VelomiraSection, "SKD2", nullptr, KeyRule::Text};
// Web pages opened from the panel's menu.
inline constexpr SettingKey ActiveSatellitesUrl{
    VelomiraSection, "Active Satellites", "https://www.amsat.org/two-way-satellites/", KeyRule::NonEmpty};
inline constexpr SettingKey SatellitesUrl{VelomiraSection, "Satellites", "https://www.amsat.org/status/",
                                          KeyRule::NonEmpty};

// ---- [CallsLast50], [NOAA_Rec] --------------------------------------------
inline constexpr SettingKey CallCnt{CallsSection, "CallCnt", nullptr, KeyRule::Integer};
inline constexpr SettingKey RecAuto{NoaaSection, "Rec_Auto", "No", KeyRule::Text};

// ---- built-in tracking: [QTH], [TRACK] ------------------------------------
// Degrees, north and east positive.
inline constexpr SettingKey Latitude{QthSection, "Latitude", nullptr, KeyRule::Number};
inline constexpr SettingKey Longitude{QthSection, "Longitude", nullptr, KeyRule::Number};
// Metres above sea level.
inline constexpr SettingKey Height{QthSection, "Height", "0", KeyRule::Number};
// Maidenhead locator, used when latitude or longitude is missing.
inline constexpr SettingKey Locator{QthSection, "Locator", nullptr, KeyRule::Text};
// TLE file: a name in the data folder or an absolute path.
inline constexpr SettingKey TleFile{TrackSection, "TLEFile", "nasabare.txt", KeyRule::NonEmpty};
// Where "Update orbit data" downloads the TLE file from.
inline constexpr SettingKey TleUrl{TrackSection, "TLEUrl", "https://celestrak.org/NORAD/elements/gp.php?GROUP=amateur&FORMAT=tle",
                                   KeyRule::NonEmpty};
// Satellite chosen by the panel; empty means automatic.
inline constexpr SettingKey TrackSatellite{TrackSection, "Satellite", "", KeyRule::Text};
// The panel's tracking window: "left,top,width,height" in pixels (absent until first
// saved), and "1" while it is open, so that it opens again at the next start.
inline constexpr SettingKey TrackViewGeometry{TrackSection, "ViewGeometry", nullptr, KeyRule::Text};
inline constexpr SettingKey TrackViewOpen{TrackSection, "ViewOpen", "0", KeyRule::ZeroElseOne};

// Every key above, in declaration order.
const QList<const SettingKey *> &all();

// Response wait in ms for a rig at a baud rate (1200: 200, 4800: 60, 9600: 50,
// 19200 and faster: 40); doubled for an "IC821".
int responseWaitMs(const QString &baudRate, const QString &rigType);

// Per-satellite keys: the stem is the name immediately followed by the mode.
QString satelliteStem(const QString &name, const QString &mode);
QString ritFreqKey(const QString &name, const QString &mode); // [SATinfo] stem + "_RITfreq"
QString offsetKey(const QString &name, const QString &mode);  // [SATinfo] stem + "_offset"
// [CallsLast50] "Call-" followed by the index.
QString callKey(int index);

} // namespace vm::keys
