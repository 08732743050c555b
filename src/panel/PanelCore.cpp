#include "panel/PanelCore.h"
#include "panel/CwSpeed.h"

#include "common/Channel.h"
#include "common/Clock.h"
#include "common/DataDir.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "panel/FrequencyText.h"
#include "panel/Launcher.h"
#include "panel/Prompter.h"
#include "panel/TxLogWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTimeZone>

#include <cmath>
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
      m_clock(clock), m_dataDir(std::move(dataDir))
{
    declareControls();
}

PanelCore::~PanelCore() = default;

void PanelCore::declareControls()
{
    PanelView &v = m_view;
    v.declare(QStringLiteral("Label1"), caption(QString()));
    v.declare(QStringLiteral("Label2"), caption(QString()));
    v.declare(QStringLiteral("Label3"), caption(QString()));
    ControlState satelliteMode = caption(QString(), false);
    satelliteMode.toolTip = QStringLiteral("ここをクリック又は ALT+L で 衛星Mode の選択が出来ます。");
    v.declare(QStringLiteral("Label5"), satelliteMode);
    v.declare(QStringLiteral("Label35"), caption(QStringLiteral("Mode"), false));
    v.declare(QStringLiteral("Label7"), caption(QStringLiteral("RX")));
    v.declare(QStringLiteral("Label8"), caption(QStringLiteral("TX")));
    v.declare(QStringLiteral("Label10"), caption(QStringLiteral("0")));
    // Markers over the displays, in red: the pointer's frequency over the
    // scale, and per display a mark above (↑) or below (↓) the passband.
    const auto marker = [](const QString &text, const QString &anchor = QString()) {
        ControlState s = caption(text, false);
        s.foreColor = Red;
        s.anchor = anchor;
        return s;
    };
    v.declare(QStringLiteral("Label12"), marker(QString()));
    v.declare(QStringLiteral("Label13_0"), marker(QStringLiteral("↑"), QStringLiteral("Label2")));
    v.declare(QStringLiteral("Label13_1"), marker(QStringLiteral("↓"), QStringLiteral("Label2")));
    v.declare(QStringLiteral("Label13_2"), marker(QStringLiteral("↑"), QStringLiteral("Label3")));
    v.declare(QStringLiteral("Label13_3"), marker(QStringLiteral("↓"), QStringLiteral("Label3")));
    v.declare(QStringLiteral("Label14"), caption(QString()));
    v.declare(QStringLiteral("Label15"), caption(QString()));
    ControlState rxMode = caption(QString());
    rxMode.toolTip = QStringLiteral("左ｸﾘｯｸ(ALT+F)でﾓｰﾄﾞ変更可");
    v.declare(QStringLiteral("Label16"), rxMode);
    ControlState txMode = caption(QString());
    txMode.toolTip = QStringLiteral("左ｸﾘｯｸ(ALT+G)でﾓｰﾄﾞ変更可");
    v.declare(QStringLiteral("Label17"), txMode);
    v.declare(QStringLiteral("Label21"), caption(QStringLiteral("QQRX")));
    v.declare(QStringLiteral("Label24"), caption(QStringLiteral("0Hz")));
    v.declare(QStringLiteral("Label26"), caption(QStringLiteral("0.0")));
    v.declare(QStringLiteral("Label27"), caption(QString()));
    v.declare(QStringLiteral("Label28"), marker(QStringLiteral("R")));
    v.declare(QStringLiteral("Label40"), marker(QString()));
    for (int n = 1; n <= 4; ++n) {
        ControlState qm = caption(QStringLiteral("QM%1").arg(n));
        qm.foreColor = Blue;
        v.declare(QStringLiteral("Label4_%1").arg(n), qm);
        v.declare(QStringLiteral("Line2_%1").arg(n), caption(QString(), false));
    }
    v.declare(QStringLiteral("Line1"), caption(QString()));
    v.declare(QStringLiteral("Picture2"), caption(QString()));

    const char *dopplerCaptions[6] = {"受信固定(&R)", "衛星固定(&S)", "送信固定(&T)",
                                      "追従停止(&P)", nullptr,        "BC(&B)"};
    for (int i = 0; i < 6; ++i) {
        if (!dopplerCaptions[i])
            continue;
        ControlState b = caption(QString::fromUtf8(dopplerCaptions[i]));
        b.backColor = Grey;
        v.declare(QStringLiteral("Command1_%1").arg(i), b);
    }
    v.declare(QStringLiteral("Command2"), caption(QStringLiteral("Log"), true, false));
    v.declare(QStringLiteral("Command3"), caption(QStringLiteral("Home(&V)")));
    v.declare(QStringLiteral("Command5"), caption(QStringLiteral("Rst(&Z)")));
    ControlState down = caption(QStringLiteral("▼"));
    down.toolTip = QStringLiteral("左ｸﾘｯｸで10Hz毎、右ｸﾘｯｸで100Hz毎のDOWN");
    v.declare(QStringLiteral("Command8"), down);
    ControlState up = caption(QStringLiteral("▲"));
    up.toolTip = QStringLiteral("左ｸﾘｯｸで10Hz毎、右ｸﾘｯｸで100Hz毎のUP");
    v.declare(QStringLiteral("Command9"), up);
    ControlState wf = caption(QStringLiteral("WF"), false);
    wf.backColor = Grey;
    v.declare(QStringLiteral("Command10"), wf);
    v.declare(QStringLiteral("Command11"), caption(QStringLiteral("Set")));
    v.declare(QStringLiteral("Command12"), caption(QStringLiteral("Rst")));
    v.declare(QStringLiteral("Command13"), caption(QStringLiteral("SKD"), true, false));
    ControlState rec = caption(QStringLiteral("録"), true, false);
    rec.backColor = White;
    v.declare(QStringLiteral("Command15"), rec);
    ControlState play = caption(QStringLiteral("再"), true, false);
    play.backColor = White;
    v.declare(QStringLiteral("Command16"), play);
    v.declare(QStringLiteral("Command17"), caption(QStringLiteral("Set")));

    v.declare(QStringLiteral("Check1"), caption(QStringLiteral("予告"), true, false));
    v.declare(QStringLiteral("Check2"), caption(QStringLiteral("予告サウンド"), true, false));
    v.declare(QStringLiteral("Check3"), caption(QStringLiteral("DATA(&D)"), true, false));
    ControlState mc = caption(QStringLiteral("MC"));
    mc.toolTip = QStringLiteral("CW BeaconをSSBモードで受信する場合の補正(F9でもon/off可)");
    v.declare(QStringLiteral("Check4"), mc);
    v.declare(QStringLiteral("Check6"), caption(QStringLiteral("DATA"), true, false));
    v.declare(QStringLiteral("Check7"), caption(QStringLiteral("NB(&O)")));
    v.declare(QStringLiteral("Check8"), caption(QStringLiteral("NR(&Q)")));
    v.declare(QStringLiteral("Check9"), caption(QStringLiteral("XIT")));

    const char *modes[4] = {"CW (&C)", "USB(&U)", "LSB(&L)", "FM (&F)"};
    for (int i = 0; i < 4; ++i) {
        v.declare(QStringLiteral("Option1_%1").arg(i), caption(QString::fromUtf8(modes[i])));
        v.declare(QStringLiteral("Option2_%1").arg(i), caption(QString::fromUtf8(modes[i])));
    }
    v.declare(QStringLiteral("Option3_0"), caption(QStringLiteral("RX Freq")));
    v.declare(QStringLiteral("Option3_1"), caption(QStringLiteral("TX Freq")));
    v.declare(QStringLiteral("Option3_2"), caption(QStringLiteral("衛星固定(SAT上のRX Freq)")));
    v.declare(QStringLiteral("Option4_0"), caption(QString(), false));
    v.declare(QStringLiteral("Option4_1"), caption(QStringLiteral("FIL 1(&W)")));
    v.declare(QStringLiteral("Option4_2"), caption(QStringLiteral("FIL 2(&M)")));
    v.declare(QStringLiteral("Option4_3"), caption(QStringLiteral("FIL 3(&N)")));

    ControlState rit = caption(QString());
    rit.minimum = -10000;
    rit.maximum = 10000;
    v.declare(QStringLiteral("HScroll1"), rit);
    ControlState speed = caption(QString());
    speed.minimum = cw::MinWpm;
    speed.maximum = cw::MaxWpm;
    speed.value = 20;
    v.declare(QStringLiteral("HScroll2"), speed);
    ControlState split = caption(QString());
    split.minimum = -500;
    split.maximum = 1000;
    v.declare(QStringLiteral("HScroll3"), split);

    v.declare(QStringLiteral("Frame1"), caption(QStringLiteral("Kepral32 Information ( DDE方式 )")));
    v.declare(QStringLiteral("Frame3"), caption(QStringLiteral("Schedule"), true, false));
    v.declare(QStringLiteral("Frame4"), caption(QStringLiteral("CW speed"), false));
    v.declare(QStringLiteral("Frame6"), caption(QStringLiteral("RIT( for FMmode)"), false));
    v.declare(QStringLiteral("Frame7"), caption(QStringLiteral("MSG ( ESC で閉 )"), false));
    v.declare(QStringLiteral("Frame8"), caption(QStringLiteral("Beacon"), false));
    v.declare(QStringLiteral("Frame9"), caption(QStringLiteral("TX Mode Sel(G)"), false));
    v.declare(QStringLiteral("Frame10"), caption(QStringLiteral("RX Mode Sel(F)"), false));
    v.declare(QStringLiteral("Frame11"),
              caption(QStringLiteral("CW Message(DblClick=白紙 Enter=登録 Esc=中止)"), false));
    v.declare(QStringLiteral("Frame12"),
              caption(QStringLiteral("    [ F5 ]     [ F6 ]    [ F7 ]    [ F8 ]"), true, false));
    v.declare(QStringLiteral("Frame13"), caption(QStringLiteral("MultiMode選択"), false));
    v.declare(QStringLiteral("Frame14"), caption(QStringLiteral("衛星設定値"), false));
    v.declare(QStringLiteral("Frame15"),
              caption(QStringLiteral("Set HomeFreq (Enterで登録 Escで中止)"), false));
    v.declare(QStringLiteral("Frame16"), caption(QStringLiteral("Filter Sel"), false));
    v.declare(QStringLiteral("Frame17"), caption(QStringLiteral("NB/NR"), false));
    v.declare(QStringLiteral("Frame18"), caption(QStringLiteral("QSO Data (ALT+C でクリヤ)")));
    v.declare(QStringLiteral("Frame19"), caption(QStringLiteral("Code List (Enter or ESC で閉)"), false));
    v.declare(QStringLiteral("Frame20"),
              caption(QStringLiteral("Quick Memory(F1～F4 =Set、ﾀﾞﾌﾞﾙｸﾘｯｸ(sF1～)=QSY)")));
    for (int n = 0; n < 4; ++n)
        v.declare(QStringLiteral("Label30_%1").arg(n), caption(QString()));

    for (const char *name : {"List2", "List3", "List7"})
        v.declare(QString::fromUtf8(name), caption(QString()));
    v.declare(QStringLiteral("List4"), caption(QString(), false));
    v.declare(QStringLiteral("List5"), caption(QString(), false));
    for (const char *name : {"Text1", "Text2", "Text4", "Text6", "Text7"})
        v.declare(QString::fromUtf8(name), caption(QString()));

    for (int p = 1; p <= 16; ++p)
        v.declare(QStringLiteral("StatusBar1_%1").arg(p), caption(QString()));
    v.setText(QStringLiteral("StatusBar1_1"), QStringLiteral("上書き"));
    v.setText(QStringLiteral("StatusBar1_16"), QStringLiteral("XIT -OFF"));

    // Menu entries.
    v.declare(QStringLiteral("SetRIG"), caption(QStringLiteral("環境設定(&M)"), true, false));
    v.declare(QStringLiteral("goFT4"), caption(QStringLiteral("FT4(WSJT)の運用(&4)"), true, false));
    v.declare(QStringLiteral("goMMV"), caption(QStringLiteral("MMVARI(&V)"), false, false));
    v.declare(QStringLiteral("mkSKD"), caption(QStringLiteral("予告SKD(&K)"), true, false));
    v.declare(QStringLiteral("info"), caption(QStringLiteral("&Infor"), true, false));
    v.declare(QStringLiteral("goARSurl"), caption(QStringLiteral("Active Satellites")));
    v.declare(QStringLiteral("SatStus"), caption(QStringLiteral("SAT稼働状況")));
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
        m_prompter.message(QStringLiteral("tunavox を起動出来ません: ") + controllerProgram, panelTitle(),
                           Prompter::Icon::Critical);
    m_view.setVisible(QStringLiteral("goMMV"), m_extended);
    m_settings.setValue(keys::PanelMe, QString::number(processId));
    QString version =
        QString::number(VersionMajor) + QStringLiteral("%1").arg(VersionMinor, 2, 10, QChar(u'0'));
    if (VersionRevision > 0)
        version += QString::number(VersionRevision, 16);
    loadSettings();

    for (const char *name : {"Label2", "Label3"})
        m_view.setFont(QString::fromUtf8(name), QStringLiteral("ＭＳ Ｐゴシック"), 0);
    m_view.setText(QStringLiteral("Label2"), QStringLiteral("Welcome"));
    m_view.setText(QStringLiteral("Label3"), QStringLiteral("QRX"));
    m_view.setEnabled(QStringLiteral("Command2"), m_hamlogPath.toUpper().contains(u"HAMLOGW.EXE"));

    m_dopplerMode = 3;
    send(QStringLiteral("RCMDOP"), QStringLiteral("3"));
    const bool schedule = QFile::exists(findFileNoCase(m_dataDir, QStringLiteral("Velomira_skd.dat")));
    sendOrKeep(QStringLiteral("RCMSKD"), schedule ? QStringLiteral("1") : QStringLiteral("0"));
    m_view.setVisible(QStringLiteral("Command10"), m_channel.titleExists(waterfallTitle()));
    // The tracking program's folder, where the controller's satellite editor
    // finds the program's group list.
    if (m_programFolder) {
        for (const QString &title : trackerWindowTitles()) {
            if (const std::optional<QString> folder = m_programFolder(title)) {
                sendOrKeep(QStringLiteral("RCMK32"), *folder);
                break;
            }
        }
    }
    m_view.setEnabled(QStringLiteral("SetRIG"), true);
    // Written last, so that a reader of the settings file knows the load is done.
    m_settings.setValue(keys::PanelVersion, version);
    emit focusRequested(QStringLiteral("Text1"));
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
    m_view.setText(QStringLiteral("StatusBar1_11"),
                   m_rrInp == u"1" ? QStringLiteral("R/R Inp ON") : QStringLiteral("R/R Inp OFF"));
    m_calcType = m_settings.value(keys::CalcType);
    setInfoCaption();
    // A table without a satellite under its header (an empty file) is as
    // unusable as one that cannot be read.
    if (m_table.count() < 2 || !m_table.derive(&m_settings.file()))
        m_prompter.message(QStringLiteral("SATdataが読めませんでした"), QString(), Prompter::Icon::Critical);
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
        m_view.setValue(QStringLiteral("HScroll3"), m_split);
        m_view.setText(QStringLiteral("Label24"), m_split > 0 ? QStringLiteral("+%1Hz").arg(m_split)
                                                              : QStringLiteral("%1Hz").arg(m_split));
    }
    m_modeOffset = m_settings.value(keys::ModeOffset).toInt();
    setQqSide(m_settings.value(keys::QqMode));
    sendOrKeep(QStringLiteral("RCMQSM"), m_qqSide);
    m_skdTime = m_settings.value(keys::SkdTime);
    m_modeComp = m_settings.value(keys::ModeComp) == u"1";
    m_view.setChecked(QStringLiteral("Check4"), m_modeComp);
    sendOrKeep(QStringLiteral("RCMMDC"), m_modeComp ? QStringLiteral("1") : QStringLiteral("0"));
    const QString startMode = m_settings.value(keys::StartUpMode);
    for (int i = 0; i < 4; ++i) {
        m_view.setChecked(QStringLiteral("Option1_%1").arg(i), false);
        m_view.setChecked(QStringLiteral("Option2_%1").arg(i), false);
    }
    if (startMode == u"SSB") {
        m_view.setChecked(QStringLiteral("Option1_2"), true);
        m_view.setChecked(QStringLiteral("Option2_1"), true);
    } else if (startMode == u"CW") {
        m_view.setChecked(QStringLiteral("Option1_0"), true);
        m_view.setChecked(QStringLiteral("Option2_0"), true);
    } else if (startMode == u"UC") {
        m_view.setChecked(QStringLiteral("Option1_0"), true);
        m_view.setChecked(QStringLiteral("Option2_1"), true);
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
    m_view.setItems(QStringLiteral("List5"), calls);
    if (!m_settings.contains(keys::RecAuto))
        m_settings.setValue(keys::RecAuto, QStringLiteral("No"));
    m_recAuto = m_settings.value(keys::RecAuto);
    {
        bool okSpeed = false;
        const int speed = m_settings.value(keys::CwSpeed).toInt(&okSpeed);
        m_cwSpeedAtStart = okSpeed ? qMax(10, speed) : 20;
        m_view.setValue(QStringLiteral("HScroll2"), m_cwSpeedAtStart);
    }
}

void PanelCore::setInfoCaption()
{
    const QString method = m_useDde == u"0" ? QStringLiteral("レジストリ方式") : QStringLiteral("DDE方式");
    QString text;
    if (m_calcType == u"1")
        text = QStringLiteral("Kepral32 Information ( ") + method + QStringLiteral(" )");
    else if (m_calcType == u"3")
        text = QStringLiteral("Kepral99 Information ( ") + method + QStringLiteral(" )");
    else if (m_calcType == u"2")
        text = QStringLiteral("Ornik Information");
    else if (m_calcType == u"4")
        text = QStringLiteral("内蔵軌道計算 Information");
    if (!text.isEmpty())
        m_view.setText(QStringLiteral("Frame1"), text);
}

bool PanelCore::requestClose()
{
    if (m_pause == 2)
        send(QStringLiteral("RCMPUS"), QStringLiteral("1"));
    if (m_settings.value(keys::Sro) == u"1") {
        m_prompter.message(QStringLiteral("衛星登録のフォームが開いていますので、先に閉じて下さい"),
                           panelTitle(), Prompter::Icon::None);
        return false;
    }
    if (m_settings.value(keys::Cfo) == u"1" && m_channel.titleExists(controllerTitle())) {
        m_prompter.message(QStringLiteral("環境設定のフォームが開いていますので、先に閉じて下さい"),
                           panelTitle(), Prompter::Icon::None);
        return false;
    }
    m_settings.setValue(keys::Cfo, QStringLiteral("0"));
    const int speed = int(m_view[QStringLiteral("HScroll2")].value);
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
    const QStringList calls = m_view[QStringLiteral("List5")].items;
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
    if (m_view[QStringLiteral("List3")].items.size() > 1 && !modes.isEmpty())
        chooseMode(0);
    for (const char *frame : {"Frame13", "Frame14"})
        m_view.setVisible(QString::fromUtf8(frame), false);
    if (m_channel.titleExists(waterfallTitle()))
        m_channel.postClose(waterfallTitle());
    if (m_hasPosition && m_top >= 0) {
        m_settings.setValue(keys::VlrcTop, QString::number(m_top));
        m_settings.setValue(keys::VlrcLeft, QString::number(m_left));
    }
    if (m_dopplerMode != 3 || m_pause == 2)
        dopplerButton(3);
    for (const char *frame :
         {"Frame4", "Frame6", "Frame7", "Frame8", "Frame9", "Frame10", "Frame11", "Frame15", "Frame19"})
        m_view.setVisible(QString::fromUtf8(frame), false);
    m_rxChooser = m_txChooser = m_cwPopup = false;
    m_settingsOpen = true;
    m_settings.setValue(keys::Cfo, QStringLiteral("1"));
    m_view.setEnabled(QStringLiteral("SetRIG"), false);
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
    emit focusRequested(m_view[QStringLiteral("Frame11")].visible ? QStringLiteral("Text4")
                                                                  : QStringLiteral("Text1"));
}

} // namespace vm
