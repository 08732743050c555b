#include "panel/PanelCore.h"
#include "panel/CwSpeed.h"

#include "common/Channel.h"
#include "common/Clock.h"
#include "common/DataDir.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "logbook/ContactLogger.h"
#include "panel/FrequencyText.h"
#include "panel/Launcher.h"
#include "panel/Prompter.h"
#include "panel/TxLogWriter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTimeZone>

#include <cmath>
#include <optional>
#include <utility>

namespace vm {

namespace {

constexpr int VersionMajor = 0;
constexpr int VersionMinor = 1;
constexpr int VersionRevision = 0;

ControlState caption(const QString &text, bool visible = true, bool enabled = true)
{
    ControlState s;
    s.text = text;
    s.visible = visible;
    s.enabled = enabled;
    return s;
}

} // namespace

PanelCore::PanelCore(Channel &channel, Settings &settings, Prompter &prompter, Launcher &launcher,
                     Clock &clock, QString dataDir, QObject *parent)
    : QObject(parent), m_channel(channel), m_settings(settings), m_prompter(prompter), m_launcher(launcher),
      m_clock(clock), m_dataDir(std::move(dataDir)), m_udpLink(std::make_unique<UdpLink>())
{
    declareControls();
}

PanelCore::~PanelCore() = default;

void PanelCore::declareControls()
{
    PanelView &v = m_view;
    v.declare(Control::SatelliteName, caption(QString()));
    v.declare(Control::RxFrequency, caption(QString()));
    v.declare(Control::TxFrequency, caption(QString()));
    ControlState satelliteMode = caption(QString(), false);
    satelliteMode.toolTip =
        QCoreApplication::translate("Panel", "ここをクリック又は ALT+L で 衛星Mode の選択が出来ます。");
    v.declare(Control::SatelliteMode, satelliteMode);
    v.declare(Control::SatelliteModeCaption, caption(QStringLiteral("Mode"), false));
    v.declare(Control::RxCaption, caption(QStringLiteral("RX")));
    v.declare(Control::TxCaption, caption(QStringLiteral("TX")));
    v.declare(Control::Offset, caption(QStringLiteral("0")));
    // Markers over the displays, in red: the pointer's frequency over the
    // scale, and per display a mark above (↑) or below (↓) the passband.
    const auto marker = [](const QString &text, std::optional<Control> anchor = std::nullopt) {
        ControlState s = caption(text, false);
        s.foreColor = Red;
        if (anchor)
            s.anchor = formName(*anchor);
        return s;
    };
    v.declare(Control::HoverFrequency, marker(QString()));
    v.declare(Control::RxAboveMarker, marker(QStringLiteral("↑"), Control::RxFrequency));
    v.declare(Control::RxBelowMarker, marker(QStringLiteral("↓"), Control::RxFrequency));
    v.declare(Control::TxAboveMarker, marker(QStringLiteral("↑"), Control::TxFrequency));
    v.declare(Control::TxBelowMarker, marker(QStringLiteral("↓"), Control::TxFrequency));
    v.declare(Control::TrackedName, caption(QString()));
    v.declare(Control::OrbitNumber, caption(QString()));
    ControlState rxMode = caption(QString());
    rxMode.toolTip = QCoreApplication::translate("Panel", "左ｸﾘｯｸ(ALT+F)でﾓｰﾄﾞ変更可");
    v.declare(Control::RxMode, rxMode);
    ControlState txMode = caption(QString());
    txMode.toolTip = QCoreApplication::translate("Panel", "左ｸﾘｯｸ(ALT+G)でﾓｰﾄﾞ変更可");
    v.declare(Control::TxMode, txMode);
    v.declare(Control::QuickQsySide, caption(QStringLiteral("QQRX")));
    v.declare(Control::SplitValue, caption(QStringLiteral("0Hz")));
    v.declare(Control::RitValue, caption(QStringLiteral("0.0")));
    v.declare(Control::Tone, caption(QString()));
    v.declare(Control::RitMarker, marker(QStringLiteral("R")));
    v.declare(Control::XitMarker, marker(QString()));
    for (int n = 1; n <= 4; ++n) {
        ControlState qm = caption(QStringLiteral("QM%1").arg(n));
        qm.foreColor = Blue;
        v.declare(controls::quickMemoryLabel(n), qm);
        v.declare(controls::quickMemoryLine(n), caption(QString(), false));
    }
    v.declare(Control::FrequencyLine, caption(QString()));
    v.declare(Control::PassbandScale, caption(QString()));

    const char *dopplerCaptions[6] = {QT_TRANSLATE_NOOP("Panel", "受信固定(&R)"),
                                      QT_TRANSLATE_NOOP("Panel", "衛星固定(&S)"),
                                      QT_TRANSLATE_NOOP("Panel", "送信固定(&T)"),
                                      QT_TRANSLATE_NOOP("Panel", "追従停止(&P)"),
                                      nullptr,
                                      "BC(&B)"};
    for (int i : controls::DopplerButtonIndices) {
        ControlState b = caption(QCoreApplication::translate("Panel", dopplerCaptions[i]));
        b.backColor = Grey;
        v.declare(controls::dopplerButton(i), b);
    }
    v.declare(Control::LogButton,
              caption(QCoreApplication::translate("Panel", "Hamlog転送(&H)"), true, false));
    v.declare(Control::HomeButton, caption(QStringLiteral("Home(&V)")));
    v.declare(Control::OffsetResetButton, caption(QStringLiteral("Rst(&Z)")));
    ControlState down = caption(QStringLiteral("▼"));
    down.toolTip = QCoreApplication::translate("Panel", "左ｸﾘｯｸで10Hz毎、右ｸﾘｯｸで100Hz毎のDOWN");
    v.declare(Control::OffsetDownButton, down);
    ControlState up = caption(QStringLiteral("▲"));
    up.toolTip = QCoreApplication::translate("Panel", "左ｸﾘｯｸで10Hz毎、右ｸﾘｯｸで100Hz毎のUP");
    v.declare(Control::OffsetUpButton, up);
    ControlState wf = caption(QStringLiteral("WF"), false);
    wf.backColor = Grey;
    v.declare(Control::WaterfallButton, wf);
    v.declare(Control::RitSetButton, caption(QStringLiteral("Set")));
    v.declare(Control::RitResetButton, caption(QStringLiteral("Rst")));
    ControlState rec = caption(QCoreApplication::translate("Panel", "録"), true, false);
    rec.backColor = White;
    v.declare(Control::RecordButton, rec);
    ControlState play = caption(QCoreApplication::translate("Panel", "再"), true, false);
    play.backColor = White;
    v.declare(Control::PlayButton, play);
    v.declare(Control::CwSpeedCloseButton, caption(QStringLiteral("Set")));

    v.declare(Control::TxData, caption(QStringLiteral("DATA(&D)"), true, false));
    ControlState mc = caption(QStringLiteral("MC"));
    mc.toolTip =
        QCoreApplication::translate("Panel", "CW BeaconをSSBモードで受信する場合の補正(F9でもon/off可)");
    v.declare(Control::ModeCompensation, mc);
    v.declare(Control::RxData, caption(QStringLiteral("DATA"), true, false));
    v.declare(Control::NoiseBlanker, caption(QStringLiteral("NB(&O)")));
    v.declare(Control::NoiseReduction, caption(QStringLiteral("NR(&Q)")));
    v.declare(Control::Xit, caption(QStringLiteral("XIT")));

    const char *modes[4] = {"CW (&C)", "USB(&U)", "LSB(&L)", "FM (&F)"};
    for (int i = 0; i < 4; ++i) {
        v.declare(controls::txModeOption(i), caption(QString::fromUtf8(modes[i])));
        v.declare(controls::rxModeOption(i), caption(QString::fromUtf8(modes[i])));
    }
    v.declare(Control::HomeRx, caption(QStringLiteral("RX Freq")));
    v.declare(Control::HomeTx, caption(QStringLiteral("TX Freq")));
    v.declare(Control::HomeSatellite,
              caption(QCoreApplication::translate("Panel", "衛星固定(SAT上のRX Freq)")));
    v.declare(Control::FilterNone, caption(QString(), false));
    v.declare(Control::Filter1, caption(QStringLiteral("FIL 1(&W)")));
    v.declare(Control::Filter2, caption(QStringLiteral("FIL 2(&M)")));
    v.declare(Control::Filter3, caption(QStringLiteral("FIL 3(&N)")));

    ControlState rit = caption(QString());
    rit.minimum = -10000;
    rit.maximum = 10000;
    v.declare(Control::RitBar, rit);
    ControlState speed = caption(QString());
    speed.minimum = cw::MinWpm;
    speed.maximum = cw::MaxWpm;
    speed.value = 20;
    v.declare(Control::CwSpeedBar, speed);
    ControlState split = caption(QString());
    split.minimum = -500;
    split.maximum = 1000;
    v.declare(Control::XitBar, split);

    v.declare(Control::InfoFrame,
              caption(QCoreApplication::translate("Panel", "Kepral32 Information ( DDE方式 )")));
    v.declare(Control::CwSpeedFrame, caption(QStringLiteral("CW speed"), false));
    v.declare(Control::RitFrame, caption(QStringLiteral("RIT( for FMmode)"), false));
    v.declare(Control::MessageFrame,
              caption(QCoreApplication::translate("Panel", "MSG ( ESC で閉 )"), false));
    v.declare(Control::NoticeText, caption(QString()));
    v.declare(Control::BeaconFrame, caption(QStringLiteral("Beacon"), false));
    v.declare(Control::TxModeFrame, caption(QStringLiteral("TX Mode Sel(G)"), false));
    v.declare(Control::RxModeFrame, caption(QStringLiteral("RX Mode Sel(F)"), false));
    v.declare(Control::CwEditFrame,
              caption(QCoreApplication::translate("Panel", "CW Message(DblClick=白紙 Enter=登録 Esc=中止)"),
                      false));
    v.declare(Control::CwMessageFrame,
              caption(QStringLiteral("    [ F5 ]     [ F6 ]    [ F7 ]    [ F8 ]"), true, false));
    ControlState presets = caption(QString(), false);
    presets.items = {QStringLiteral("R 5NNTU"), QStringLiteral("#G 5NNTU")};
    v.declare(Control::CwPresetList, presets);
    v.declare(Control::CwStopButton, caption(QStringLiteral("×")));
    v.declare(Control::ModeListFrame, caption(QCoreApplication::translate("Panel", "MultiMode選択"), false));
    v.declare(Control::SatelliteDataFrame,
              caption(QCoreApplication::translate("Panel", "衛星設定値"), false));
    v.declare(Control::HomeFrame,
              caption(QCoreApplication::translate("Panel", "Set HomeFreq (Enterで登録 Escで中止)"), false));
    v.declare(Control::FilterFrame, caption(QStringLiteral("Filter Sel"), false));
    v.declare(Control::NbNrFrame, caption(QStringLiteral("NB/NR"), false));
    v.declare(Control::QsoFrame, caption(QCoreApplication::translate("Panel", "QSO Data (ALT+C でクリヤ)")));
    v.declare(Control::CodeListFrame,
              caption(QCoreApplication::translate("Panel", "Code List (Enter or ESC で閉)"), false));
    v.declare(Control::QuickMemoryFrame, caption(QCoreApplication::translate(
                                             "Panel", "Quick Memory(F1～F4 =Set、ﾀﾞﾌﾞﾙｸﾘｯｸ(sF1～)=QSY)")));
    for (int n = 0; n < 4; ++n)
        v.declare(controls::cwMessage(n), caption(QString()));

    for (Control name : {Control::BeaconList, Control::ModeList, Control::CodeList})
        v.declare(name, caption(QString()));
    v.declare(Control::ModeRecordList, caption(QString(), false));
    v.declare(Control::RecentCalls, caption(QString(), false));
    for (Control name : {Control::CallSign, Control::Code, Control::CwMessageEdit, Control::HomeEntry,
                         Control::SatelliteData})
        v.declare(name, caption(QString()));

    for (int p = 1; p <= 16; ++p)
        v.declare(controls::statusPanel(p), caption(QString()));
    v.setText(Control::InsertModePanel, QCoreApplication::translate("Panel", "上書き"));
    v.setText(Control::XitPanel, QStringLiteral("XIT -OFF"));

    // Menu entries.
    v.declare(Control::ControllerSettingsMenu,
              caption(QCoreApplication::translate("Panel", "環境設定(&M)"), true, false));
    v.declare(Control::Ft4Menu,
              caption(QCoreApplication::translate("Panel", "FT4(WSJT)の運用(&4)"), true, false));
    v.declare(Control::MmvariMenu, caption(QStringLiteral("MMVARI(&V)"), false, false));
    v.declare(Control::ScheduleMenu,
              caption(QCoreApplication::translate("Panel", "予告SKD(&K)"), true, false));
    v.declare(Control::InfoMenu, caption(QStringLiteral("&Infor"), true, false));
    v.declare(Control::ActiveSatellitesMenu, caption(QStringLiteral("Active Satellites")));
    v.declare(Control::SatelliteStatusMenu, caption(QCoreApplication::translate("Panel", "SAT稼働状況")));
    v.declare(Control::MacroMenu, caption(QStringLiteral("MAC"), true, false));
    declareScheduleControls();
}

bool PanelCore::send(const QString &code, const QString &payload)
{
    if (m_closing)
        return false;
    if (!m_channel.send(controllerTitle(), code + payload))
        return false;
    // A newer value of a kept setting has got through: the kept one is stale.
    forgetKept(code);
    return true;
}

void PanelCore::forgetKept(const QString &code)
{
    m_undelivered.removeIf([&code](const QPair<QString, QString> &r) { return r.first == code; });
}

void PanelCore::sendOrKeep(const QString &code, const QString &payload)
{
    if (send(code, payload) || m_closing)
        return;
    forgetKept(code); // only the latest value of a setting is kept
    m_undelivered.append({code, payload});
}

void PanelCore::replayUndelivered()
{
    const QList<QPair<QString, QString>> kept = std::exchange(m_undelivered, {});
    for (const auto &[code, payload] : kept)
        sendOrKeep(code, payload);
}

QString PanelCore::settingsText(const QString &section, const QString &key, const QString &fallback) const
{
    return m_settings.file().value(section, key).value_or(fallback);
}

void PanelCore::writeSetting(const QString &section, const QString &key, const QString &value)
{
    m_settings.file().set(section, key, value);
}

// ---- life cycle ------------------------------------------------------------

QStringList PanelCore::trackerWindowTitles()
{
    return {QStringLiteral("Kepral32(SGP8)"), QStringLiteral("Kepral32(SGP4)"),
            QStringLiteral("Kepral32(SGP)"), QStringLiteral("Kepral32")};
}

void PanelCore::load(qint64 processId, const QString &controllerProgram)
{
    m_waterfallStart = m_settings.value(keys::WfStart);
    if (!controllerProgram.isEmpty() && !m_launcher.startProgram(controllerProgram, {QStringLiteral("-R")}))
        m_prompter.message(QCoreApplication::translate("Panel", "tunavox を起動出来ません: ") +
                               controllerProgram,
                           panelTitle(), Prompter::Icon::Critical);
    m_view.setVisible(Control::MmvariMenu, m_extended);
    m_settings.setValue(keys::PanelMe, QString::number(processId));
    QString version =
        QString::number(VersionMajor) + QStringLiteral("%1").arg(VersionMinor, 2, 10, QChar(u'0'));
    if (VersionRevision > 0)
        version += QString::number(VersionRevision, 16);
    loadSettings();

    for (Control name : {Control::RxFrequency, Control::TxFrequency})
        m_view.setFont(name, QStringLiteral("ＭＳ Ｐゴシック"), 0);
    m_view.setText(Control::RxFrequency, QStringLiteral("Welcome"));
    m_view.setText(Control::TxFrequency, QStringLiteral("QRX"));
    loadLogDestinations();

    m_dopplerMode = 3;
    send(QStringLiteral("RCMDOP"), QStringLiteral("3"));
    const bool schedule = QFile::exists(findFileNoCase(m_dataDir, QStringLiteral("Velomira_skd.dat")));
    sendOrKeep(QStringLiteral("RCMSKD"), schedule ? QStringLiteral("1") : QStringLiteral("0"));
    startWaterfallWithPanel();
    m_view.setVisible(Control::WaterfallButton, m_channel.titleExists(waterfallTitle()));
    // The tracking program's folder, where the controller's satellite editor
    // finds the program's group list.
    if (const std::optional<QString> folder = trackerFolder())
        sendOrKeep(QStringLiteral("RCMK32"), *folder);
    m_view.setEnabled(Control::ControllerSettingsMenu, true);
    // Written last, so that a reader of the settings file knows the load is done.
    m_settings.setValue(keys::PanelVersion, version);
    requestFocus(Control::CallSign);
}

QString PanelCore::versionText(const QString &trackerVersion)
{
    QString panel = QStringLiteral("%1.%2").arg(VersionMajor).arg(VersionMinor, 2, 10, QChar(u'0'));
    if (VersionRevision > 0)
        panel += QString::number(VersionRevision, 16);
    // The tracking program's "1509" is its version 1.5.9, "14010" 1.4.10.
    const QString tracker = trackerVersion.size() < 4 ? trackerVersion
                                                      : trackerVersion.left(1) + u'.' + trackerVersion.mid(1, 1) +
                                                            u'.' + trackerVersion.mid(3);
    return QStringLiteral("Velomira Ver ") + panel + u'\n' + QStringLiteral("Kepral32 Ver ") + tracker;
}

void PanelCore::loadSettings()
{
    if (const auto top = m_settings.stored(keys::VlrcTop)) {
        const auto left = m_settings.stored(keys::VlrcLeft);
        bool okTop = false;
        bool okLeft = false;
        const int t = int(top->toDouble(&okTop));
        const int l = left ? int(left->toDouble(&okLeft)) : 0;
        if (okTop && okLeft) {
            m_top = t;
            m_left = l;
            m_hasPosition = true;
            emit windowPositionLoaded(t, l);
        }
    }
    m_useDde = m_settings.value(keys::UseDde);
    m_rrInp = m_settings.value(keys::RrInp);
    m_view.setText(Control::RrInpPanel,
                   m_rrInp == u"1" ? QStringLiteral("R/R Inp ON") : QStringLiteral("R/R Inp OFF"));
    m_calcType = m_settings.value(keys::CalcType);
    setInfoCaption();
    // A table without a satellite under its header (an empty file) is as
    // unusable as one that cannot be read.
    if (m_table.count() < 2 || !m_table.derive(&m_settings.file()))
        m_prompter.message(QCoreApplication::translate("Panel", "SATdataが読めませんでした"), QString(),
                           Prompter::Icon::Critical);
    m_hamlogPath = m_settings.value(keys::HamlogPath);
    m_rigContType = m_settings.value(keys::RigContType).toInt();
    {
        bool ok = false;
        const int split = m_settings.file()
                              .value(keys::SplitF.sectionName(), keys::SplitF.keyName())
                              .value_or(QStringLiteral("0"))
                              .trimmed()
                              .toInt(&ok);
        m_split = ok ? qBound(-500, split, 1000) : 0;
        m_view.setValue(Control::XitBar, m_split);
        m_view.setText(Control::SplitValue, m_split > 0 ? QStringLiteral("+%1Hz").arg(m_split)
                                                        : QStringLiteral("%1Hz").arg(m_split));
    }
    m_modeOffset = m_settings.value(keys::ModeOffset).toInt();
    setQqSide(m_settings.value(keys::QqMode));
    sendOrKeep(QStringLiteral("RCMQSM"), m_qqSide);
    m_skdTime = m_settings.value(keys::SkdTime);
    loadScheduleChoices();
    m_modeComp = m_settings.value(keys::ModeComp) == u"1";
    m_view.setChecked(Control::ModeCompensation, m_modeComp);
    sendOrKeep(QStringLiteral("RCMMDC"), m_modeComp ? QStringLiteral("1") : QStringLiteral("0"));
    const QString startMode = m_settings.value(keys::StartUpMode);
    for (int i = 0; i < 4; ++i) {
        m_view.setChecked(controls::txModeOption(i), false);
        m_view.setChecked(controls::rxModeOption(i), false);
    }
    if (startMode == u"SSB") {
        m_view.setChecked(Control::TxModeLsb, true);
        m_view.setChecked(Control::RxModeUsb, true);
    } else if (startMode == u"CW") {
        m_view.setChecked(Control::TxModeCw, true);
        m_view.setChecked(Control::RxModeCw, true);
    } else if (startMode == u"UC") {
        m_view.setChecked(Control::TxModeCw, true);
        m_view.setChecked(Control::RxModeUsb, true);
    }
    QStringList calls;
    bool ok = false;
    const int callCnt = m_settings.value(keys::CallCnt).toInt(&ok);
    if (m_settings.contains(keys::CallCnt) && ok) {
        for (int i = 0; i <= qMin(callCnt, 49); ++i) {
            const auto call =
                m_settings.file().value(QString::fromUtf8(keys::CallsSection), keys::callKey(i));
            if (call)
                calls.append(*call);
        }
    }
    m_view.setItems(Control::RecentCalls, calls);
    if (!m_settings.contains(keys::RecAuto))
        m_settings.setValue(keys::RecAuto, QStringLiteral("No"));
    m_recAuto = m_settings.value(keys::RecAuto);
    {
        bool okSpeed = false;
        const int speed = m_settings.value(keys::CwSpeed).toInt(&okSpeed);
        m_cwSpeedAtStart = okSpeed ? qMax(10, speed) : 20;
        m_view.setValue(Control::CwSpeedBar, m_cwSpeedAtStart);
    }
}

void PanelCore::setInfoCaption()
{
    const QString method = m_useDde == u"0" ? QCoreApplication::translate("Panel", "レジストリ方式")
                                            : QCoreApplication::translate("Panel", "DDE方式");
    QString text;
    if (m_calcType == u"1")
        text = QStringLiteral("Kepral32 Information ( ") + method + QStringLiteral(" )");
    else if (m_calcType == u"3")
        text = QStringLiteral("Kepral99 Information ( ") + method + QStringLiteral(" )");
    else if (m_calcType == u"2")
        text = QStringLiteral("Ornik Information");
    else if (m_calcType == u"4")
        text = QCoreApplication::translate("Panel", "内蔵軌道計算 Information");
    if (!text.isEmpty())
        m_view.setText(Control::InfoFrame, text);
    // The macro belongs to Kepral32.
    m_view.setEnabled(Control::MacroMenu, m_calcType == u"1");
}

bool PanelCore::requestClose()
{
    if (m_pause == 2)
        send(QStringLiteral("RCMPUS"), QStringLiteral("1"));
    if (m_settings.value(keys::Sro) == u"1") {
        m_prompter.message(
            QCoreApplication::translate("Panel", "衛星登録のフォームが開いていますので、先に閉じて下さい"),
            panelTitle(), Prompter::Icon::None);
        return false;
    }
    if (m_settings.value(keys::Cfo) == u"1" && m_channel.titleExists(controllerTitle())) {
        m_prompter.message(
            QCoreApplication::translate("Panel", "環境設定のフォームが開いていますので、先に閉じて下さい"),
            panelTitle(), Prompter::Icon::None);
        return false;
    }
    m_settings.setValue(keys::Cfo, QStringLiteral("0"));
    const int speed = int(m_view[Control::CwSpeedBar].value);
    if (speed != m_cwSpeedAtStart) {
        sendCwSpeed(speed);
        m_settings.setValue(keys::CwSpeed, QString::number(speed));
    }
    // The close is accepted. Sending stops only after the unload has told the
    // controller to end, so that "RCMEND" still goes out.
    return true;
}

void PanelCore::sendCwSpeed(int wpm)
{
    const cw::SpeedForm form = cw::speedForm(m_rigContType, m_rig1Model, m_rig2Model);
    if (cw::needsOpenPort(form) && m_rig1Open != 1 && m_rig2Open != 1)
        return;
    const QString payload = cw::speedPayload(form, wpm);
    if (!payload.isEmpty())
        send(QStringLiteral("RCMCWS"), payload);
}

bool PanelCore::unload()
{
    if (m_channel.titleExists(QStringLiteral("Velomira_Message")))
        return false;
    m_repeating = false;
    stopSound();
    stopWsjtMode();
    if (m_channel.titleExists(waterfallTitle()))
        m_channel.postClose(waterfallTitle());
    send(QStringLiteral("RCMEND"));
    m_closing = true;
    saveAtExit();
    QFile::remove(QDir(m_dataDir).filePath(QStringLiteral("AMSAT_TLE.txt")));
    return true;
}

void PanelCore::saveAtExit()
{
    saveOffset();
    m_settings.setValue(keys::QqMode, m_qqSide);
    m_settings.setValue(keys::SkdTime, m_skdTime);
    if (m_hasPosition && m_top >= 0) {
        m_settings.setValue(keys::VlrcTop, QString::number(m_top));
        m_settings.setValue(keys::VlrcLeft, QString::number(m_left));
    }
    const QStringList calls = m_view[Control::RecentCalls].items;
    if (!calls.isEmpty()) {
        const int last = qMin(int(calls.size()) - 1, 49);
        QList<ProfileFile::Entry> entries;
        const QString section = QString::fromUtf8(keys::CallsSection);
        entries.append({section, keys::CallCnt.keyName(), QString::number(last)});
        for (int i = 0; i <= last; ++i)
            entries.append({section, keys::callKey(i), calls.at(i)});
        m_settings.file().setMany(entries);
    }
}

void PanelCore::setWindowPosition(int topTwips, int leftTwips)
{
    m_top = topTwips;
    m_left = leftTwips;
    m_hasPosition = true;
}

void PanelCore::openControllerSettings()
{
    m_flagA = false;
    m_flagB = false;
    setXit(false);
    saveOffset();
    const QList<MultiModeEntry> modes = m_table.modesOf(m_satKey);
    if (m_view[Control::ModeList].items.size() > 1 && !modes.isEmpty())
        chooseMode(0);
    for (Control frame : {Control::ModeListFrame, Control::SatelliteDataFrame})
        m_view.setVisible(frame, false);
    if (m_channel.titleExists(waterfallTitle()))
        m_channel.postClose(waterfallTitle());
    stopSound();
    if (m_hasPosition && m_top >= 0) {
        m_settings.setValue(keys::VlrcTop, QString::number(m_top));
        m_settings.setValue(keys::VlrcLeft, QString::number(m_left));
    }
    if (m_dopplerMode != 3 || m_pause == 2)
        dopplerButton(3);
    for (Control frame : {Control::CwSpeedFrame, Control::RitFrame, Control::MessageFrame,
                          Control::BeaconFrame, Control::TxModeFrame, Control::RxModeFrame,
                          Control::CwEditFrame, Control::HomeFrame, Control::CodeListFrame})
        m_view.setVisible(frame, false);
    m_rxChooser = m_txChooser = m_cwPopup = false;
    m_settingsOpen = true;
    m_settings.setValue(keys::Cfo, QStringLiteral("1"));
    m_view.setEnabled(Control::ControllerSettingsMenu, false);
    send(QStringLiteral("RCMSHW"));
}

bool PanelCore::writeTxLog(const QString &line)
{
    TxLogWriter writer(m_settings, m_dataDir);
    QString error;
    const QDate today = QDateTime::fromMSecsSinceEpoch(m_clock.utcMs()).toLocalTime().date();
    if (writer.append(line, today, &error))
        return true;
    m_prompter.message(QStringLiteral("LOGs ") + error, panelTitle(), Prompter::Icon::Warning);
    return false;
}

void PanelCore::emergencyEnd()
{
    if (m_channel.titleExists(waterfallTitle()))
        m_channel.postClose(waterfallTitle());
    m_repeating = false;
    send(QStringLiteral("RCMEND"));
    m_closing = true;
    emit quitRequested();
}

void PanelCore::hotKey()
{
    emit raiseRequested(true);
}

QStringList PanelCore::windowGroup()
{
    // Bottom to top: the tracking program's main window (whichever of its
    // titles it has), the panel, the waterfall, the schedule.
    return trackerWindowTitles() << panelTitle() << waterfallTitle() << scheduleTitle();
}

void PanelCore::activated()
{
    requestFocus(m_view[Control::CwEditFrame].visible ? Control::CwMessageEdit : Control::CallSign);
}

} // namespace vm
