#include "rigctl/ControllerSettings.h"

#include "common/ProfileFile.h"
#include "common/SettingKey.h"
#include "common/SettingKeys.h"
#include "common/Settings.h"

namespace vm {

namespace {

int toInt(const QString &text, int fallback)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : fallback;
}

} // namespace

int ControllerSettings::responseWait1() const
{
    return chosenWait1.value_or(keys::responseWaitMs(rigs.rig1.baudRate, rigs.rig1.type));
}

int ControllerSettings::responseWait2() const
{
    return chosenWait2.value_or(keys::responseWaitMs(rigs.rig2.baudRate, rigs.rig2.type));
}

void ControllerSettings::load(Settings &s)
{
    chosenWait1.reset();
    chosenWait2.reset();
    rigs.lmf = s.value(keys::LMF);
    lsf = s.value(keys::LSF);
    rigs.pollTimeMs = toInt(s.value(keys::PollTime), 1000);
    autoPowerOff = s.value(keys::AutoPowerOff) == QLatin1String("1");
    useDde = s.value(keys::UseDde) != QLatin1String("0");
    rangeRateSmoothing = s.value(keys::RrInp) == QLatin1String("1");
    ft4WaitMs = toInt(s.value(keys::Ftc), 25);
    s.setValue(keys::Ftc, QString::number(ft4WaitMs));
    rigs.rigUsage = toInt(s.value(keys::RigContType), 0);
    startUpMode = s.value(keys::StartUpMode);
    rigs.rig1.type = s.value(keys::RigType);
    rigs.rig1.port = s.value(keys::RigComCont);
    rigs.rig2.type = s.value(keys::RigType2);
    rigs.rig2.port = s.value(keys::RigComCont2);
    rigs.rig1.baudRate = s.value(keys::BaudRate);
    rigs.rig2.baudRate = s.value(keys::BaudRate2);
    rigs.rig1.civAddress = s.value(keys::IcomRigAdrs).trimmed();
    rigs.rig2.civAddress = s.value(keys::IcomRigAdrs2).trimmed();
    modeOffsetHz = toInt(s.value(keys::ModeOffset), 700);
    hamlogPath = s.value(keys::HamlogPath);
    remPos = s.value(keys::RemPos);
    remarks = s.value(keys::Remarks);
    adifMk = s.value(keys::AdifMk);
    wsjtxPath = s.value(keys::WsjtxPath).toUpper();
    wavFile = s.value(keys::WavFPos);
    wavStart = s.value(keys::WavStart);
    mailToolPath = s.value(keys::MailToolPath);
    startCmdMode = s.value(keys::StartCmdMode);
    recordRate = s.value(keys::RecSpl);
    windowTop = s.value(keys::CfgPosTop).toDouble();
    windowLeft = s.value(keys::CfgPosLeft).toDouble();
    calcType = s.value(keys::CalcType);
    rxFilter = s.value(keys::RxFilter);

    s.setValue(keys::Tc, QString::number(responseWait1()));
    s.setValue(keys::Tc2, QString::number(responseWait2()));
}

void ControllerSettings::save(Settings &s, bool writeWindowPosition) const
{
    // One locked, atomic rewrite of the file for the whole set.
    QList<ProfileFile::Entry> e;
    const auto put = [&e](const SettingKey &key, const QString &value) {
        e.append({key.sectionName(), key.keyName(), value});
    };
    if (!hamlogPath.isEmpty())
        put(keys::HamlogPath, hamlogPath);
    put(keys::RemPos, remPos);
    put(keys::Remarks, remarks);
    put(keys::WavStart, wavStart);
    put(keys::WavFPos, wavFile);
    put(keys::MailToolPath, mailToolPath);
    put(keys::ModeOffset, QString::number(modeOffsetHz));
    if (writeWindowPosition && windowTop >= 0) {
        put(keys::CfgPosTop, QString::number(windowTop));
        put(keys::CfgPosLeft, QString::number(windowLeft));
    }
    put(keys::Etc, QString::number(responseWait1()));
    put(keys::Etc2, QString::number(responseWait2()));
    put(keys::UseDde, useDde ? QStringLiteral("1") : QStringLiteral("0"));
    put(keys::CalcType, calcType);
    put(keys::IcomRigAdrs, rigs.rig1.civAddress);
    put(keys::StartUpMode, startUpMode);
    put(keys::RigType, rigs.rig1.type);
    put(keys::RigComCont, rigs.rig1.port);
    put(keys::BaudRate, rigs.rig1.baudRate);
    put(keys::PollTime, QString::number(rigs.pollTimeMs));
    put(keys::IcomRigAdrs2, rigs.rig2.civAddress);
    put(keys::RigType2, rigs.rig2.type);
    put(keys::RigComCont2, rigs.rig2.port);
    put(keys::BaudRate2, rigs.rig2.baudRate);
    put(keys::RigContType, QString::number(rigs.rigUsage));
    put(keys::StartCmdMode, startCmdMode);
    s.file().setMany(e);
}

} // namespace vm
