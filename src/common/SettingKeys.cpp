#include "common/SettingKeys.h"

namespace vm::keys {

const QList<const SettingKey *> &all()
{
    static const QList<const SettingKey *> list{
        &LMF,
        &LSF,
        &PollTime,
        &AutoPowerOff,
        &Use2Rig,
        &RigContType,
        &StartUpMode,
        &RigType,
        &RigType2,
        &RigComCont,
        &RigComCont2,
        &BaudRate,
        &BaudRate2,
        &IcomRigAdrs,
        &IcomRigAdrs2,
        &CalcType,
        &CwSpeed,
        &KwpOn,
        &Tsv,
        &RxFilter,
        &SplitF,
        &UseDde,
        &RrInp,
        &Ftc,
        &CfgPosTop,
        &CfgPosLeft,
        &ControllerMe,
        &ControllerVersion,
        &Cfo,
        &Tc,
        &Tc2,
        &Etc,
        &Etc2,
        &PanelVersion,
        &Sro,
        &SatEditorTop,
        &SatEditorLeft,
        &RegFile,
        &ModeOffset,
        &HamlogPath,
        &HamlogDbPath,
        &RemPos,
        &Remarks,
        &AdifMk,
        &WsjtxPath,
        &LogToAdif,
        &AdifFileName,
        &LogToUdp,
        &UdpHost,
        &UdpPort,
        &WsjtxListenPort,
        &LogToHamlog,
        &WavFPos,
        &WavStart,
        &MailToolPath,
        &RecSpl,
        &RecFol,
        &SoundInDevice,
        &SoundOutDevice,
        &ScheduleTop,
        &ScheduleLeft,
        &ScheduleThreshold,
        &ScheduleAfterNow,
        &StartCmdMode,
        &PanelMe,
        &Language,
        &VlrcTop,
        &VlrcLeft,
        &WfStart,
        &QqMode,
        &SkdTime,
        &ModeComp,
        &MigrationLevel,
        &LogFol,
        &Skd1,
        &Skd2,
        &ActiveSatellitesUrl,
        &SatellitesUrl,
        &CallCnt,
        &RecAuto,
        &Latitude,
        &Longitude,
        &Height,
        &Locator,
        &TleFile,
        &TleUrl,
        &TrackSatellite,
        &TrackViewGeometry,
        &TrackViewOpen,
    };
    return list;
}

int responseWaitMs(const QString &baudRate, const QString &rigType)
{
    bool ok = false;
    const qint64 baud = baudRate.trimmed().toLongLong(&ok);
    int wait = 50; // the default speed of 9600
    if (ok && baud > 0) {
        if (baud <= 1200)
            wait = 200;
        else if (baud <= 4800)
            wait = 60;
        else if (baud <= 9600)
            wait = 50;
        else
            wait = 40;
    }
    if (rigType.trimmed() == u"IC821")
        wait *= 2;
    return wait;
}

QString satelliteStem(const QString &name, const QString &mode)
{
    return name + mode;
}

QString ritFreqKey(const QString &name, const QString &mode)
{
    return satelliteStem(name, mode) + QStringLiteral("_RITfreq");
}

QString offsetKey(const QString &name, const QString &mode)
{
    return satelliteStem(name, mode) + QStringLiteral("_offset");
}

QString callKey(int index)
{
    return QStringLiteral("Call-") + QString::number(index);
}

} // namespace vm::keys
