#include "cat/RigModel.h"

namespace vm {

namespace {

RigModelInfo none()
{
    RigModelInfo m;
    m.id = QStringLiteral("None");
    m.polled = false;
    return m;
}

// Shared defaults of the Icom CI-V rigs.
RigModelInfo icom(const char *id, BandGroup group, quint8 address)
{
    RigModelInfo m;
    m.id = QString::fromLatin1(id);
    m.family = RigFamily::IcomCiv;
    m.stopBits = 1;
    m.frequencyDigits = 10;
    m.bandGroup = group;
    m.defaultCivAddress = address;
    m.asRig1 = true;
    m.openingSequence = true;
    return m;
}

RigModelInfo text(const char *id, int stopBits, int digits)
{
    RigModelInfo m;
    m.id = QString::fromLatin1(id);
    m.family = RigFamily::Text;
    m.stopBits = stopBits;
    m.textProtocol = true;
    m.frequencyDigits = digits;
    m.asRig1 = true;
    m.asRig2 = true;
    m.openingSequence = true;
    m.toneRig2 = true;
    return m;
}

RigModelInfo yaesuBinary(const char *id)
{
    RigModelInfo m;
    m.id = QString::fromLatin1(id);
    m.family = RigFamily::YaesuBinary;
    m.stopBits = 2;
    m.frequencyDigits = 9;
    m.asRig1 = true;
    return m;
}

QList<RigModelInfo> buildTable()
{
    QList<RigModelInfo> t;
    t << none();

    // Default CI-V addresses are the factory settings of each model.
    RigModelInfo m = icom("ICOM", BandGroup::SingleBand, 0x00);
    m.asRig2 = true;
    m.toneRig2 = true;
    t << m;

    m = icom("IC705", BandGroup::SingleBand, 0xA4);
    m.sameBand = true;
    m.cwReadLength = 16;
    m.cwTable = CwLevelTable::Modern;
    m.rigSetting = QByteArray::fromHex("0131");
    m.vfoModeAtOpen = true;
    m.noiseReadsAtOpen = true;
    m.powerOffAtClose = true;
    t << m;

    m = icom("IC7100", BandGroup::SingleBand, 0x88);
    m.asRig2 = true;
    m.sameBand = true;
    m.cwRig2 = true;
    m.toneRig2 = true;
    t << m;

    m = icom("IC821", BandGroup::Ic821, 0x4C);
    m.replyWaitFactor = 2; // answers slowly
    m.reportsDial = true;
    m.modeReadAtOpen = true;
    t << m;

    m = icom("IC905", BandGroup::SingleBand, 0xAC);
    m.asRig1 = true; // same-band operation only
    m.sameBand = true;
    m.polled = false;
    m.openingSequence = false;
    t << m;

    for (const char *id : {"IC910", "IC911"}) {
        m = icom(id, BandGroup::TwinBand, 0x60);
        m.asRig2 = true;
        m.toneRig1 = true;
        m.toneRig2 = true;
        m.reportsDial = true;
        m.cwReadLength = 15;
        m.cwTable = CwLevelTable::Ic910;
        m.cwSpeedRig1 = true;
        m.satelliteSwitch1A07 = true;
        t << m;
    }

    m = icom("IC9100", BandGroup::TwinBand, 0x7C);
    m.asRig2 = true;
    m.cwRig1 = true;
    m.cwSpeedRig1 = true;
    m.cwRig2 = true;
    m.toneRig1 = true;
    m.toneRig2 = true;
    m.reportsDial = true;
    m.cwReadLength = 16;
    m.cwTable = CwLevelTable::Modern;
    m.rigSetting = QByteArray::fromHex("0058");
    m.satelliteModeCommand = true;
    m.vfoModeAtOpen = true;
    m.noiseReadsAtOpen = true;
    m.toneResetAtClose = true;
    m.powerOffAtClose = true;
    t << m;

    m.id = QStringLiteral("IC9700");
    m.defaultCivAddress = 0xA2;
    m.sameBand = true;
    m.rigSetting = QByteArray::fromHex("0127");
    m.powerOnPreamble = true;
    m.satelliteModeAtOpen = true;
    m.bandABeforePausedClose = true;
    m.dataModeAfterSetMode = true;
    t << m;

    m = yaesuBinary("FT817");
    m.asRig2 = true;
    m.sameBand = true;
    m.toneRig2 = true;
    t << m;

    // FT847 satellite set-up: satellite receive VFO on the downlink (0x11),
    // satellite transmit VFO on the uplink (0x21, rig usage 0), receive mode
    // (0x17), transmit mode (0x27), then the tone on or off. FT817: its one
    // VFO and mode, and on rig 2 the tone.
    m = yaesuBinary("FT847");
    m.toneRig1 = true;
    m.satelliteVfos = true;
    m.openingSequence = true;
    t << m;

    // Text-command rigs. Satellite set-up order (setUpSatellite):
    // - TS2000 as rig 1: "SA1010010;" (satellite mode, main band in control),
    //   "FA" downlink, "FB" uplink (rig usage 0 only), the main band's mode,
    //   the sub band's mode (each ending back on the main band), then the
    //   uplink tone on or off.
    // - any other text rig as rig 1: "FA" downlink, then its mode.
    // - any text rig as rig 2: "FA" uplink, its mode, then the tone on or off.
    TextDialect yaesu;
    yaesu.ifRead = true;
    yaesu.modeCommand = QStringLiteral("MD0");
    yaesu.modeDigitIndex = 3;
    yaesu.kenwoodModes = false;
    yaesu.toneNumberCommand = QStringLiteral("CN0");
    yaesu.toneOnCommands = {QStringLiteral("CT02;")};
    yaesu.toneOffCommands = {QStringLiteral("CN008;"), QStringLiteral("CT00;")};

    m = text("FT991", 2, 9);
    m.sameBand = true;
    m.cwRig2 = true;
    m.text = yaesu;
    m.text.yaesuKeyer = true;
    m.text.keyerMemoriesAtOpen = true;
    m.text.sameBandOn = {QStringLiteral("MD02;"),  QStringLiteral("AB;"),  QStringLiteral("FT3;"),
                         QStringLiteral("SH021;"), QStringLiteral("XT0;"), QStringLiteral("RT0;")};
    m.text.sameBandOff = {QStringLiteral("MD02;"), QStringLiteral("FT2;"), QStringLiteral("AB;"),
                          QStringLiteral("SH000;")};
    m.text.reopenAfterSameBand = true;
    t << m;

    m = text("FT2000", 2, 8);
    m.text = yaesu;
    t << m;

    TextDialect kenwood;
    kenwood.modeCommand = QStringLiteral("MD");
    kenwood.toneNumberCommand = QStringLiteral("TN");
    kenwood.toneOnCommands = {QStringLiteral("TO1;")};
    kenwood.toneOffCommands = {QStringLiteral("TO0;")};
    kenwood.stopCwCommands = {QStringLiteral("KY0;")};

    m = text("TS590", 1, 11);
    m.cwRig2 = true;
    m.text = kenwood;
    t << m;

    m = text("TS990", 1, 11);
    m.cwRig2 = true;
    m.text = kenwood;
    m.text.modeCommand = QStringLiteral("OM0");
    m.text.modeDigitIndex = 3;
    m.text.toneNumberCommand = QStringLiteral("TN0");
    m.text.toneOnCommands = {QStringLiteral("TO01;")};
    m.text.toneOffCommands = {QStringLiteral("TO00;")};
    t << m;

    m = text("TS2000", 1, 11);
    m.sameBand = true;
    m.cwRig1 = true;
    m.cwSpeedRig1 = true;
    m.cwRig2 = true;
    m.toneRig1 = true;
    m.text = kenwood;
    m.text.stopCwCommands = {QStringLiteral("PB3;"), QStringLiteral("PB0;")};
    m.text.satelliteSides = true;
    m.text.sameBandOn = {QStringLiteral("SA0010010;"), QStringLiteral("FT1;"), QStringLiteral("FR0;"),
                         QStringLiteral("MD2;"),       QStringLiteral("TS1;"), QStringLiteral("MD2;"),
                         QStringLiteral("TS0;")};
    m.text.sameBandOff = {QStringLiteral("FT0;"), QStringLiteral("FR0;"), QStringLiteral("SA1010010;")};
    t << m;

    return t;
}

} // namespace

const QList<RigModelInfo> &RigModels::all()
{
    static const QList<RigModelInfo> table = buildTable();
    return table;
}

const RigModelInfo *RigModels::find(const QString &id)
{
    for (const RigModelInfo &m : all()) {
        if (m.id == id)
            return &m;
    }
    return nullptr;
}

const RigModelInfo &RigModels::get(const QString &id)
{
    const RigModelInfo *m = find(id);
    return m ? *m : all().front();
}

} // namespace vm
