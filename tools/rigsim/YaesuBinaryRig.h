#pragma once

#include "rigsim/SimulatedRig.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vm::sim {

// A Yaesu transceiver on five-byte binary commands (four parameters and the
// opcode), no echo. The FT847 takes commands only after CAT on (00) and its
// satellite receive / transmit VFO commands (1x / 2x) only in satellite mode;
// the FT817 has one VFO with a clarifier, answers its read-only status
// bytes (E7 receive, F7 transmit, BB memory) and acknowledges every other
// command with one 00 byte. The FT847 does not answer set commands.
class YaesuBinaryRig final : public ConsoleRig {
public:
    // "FT847" or "FT817" (any case); null when unknown.
    static bool knows(const QString &id);
    static QStringList models() { return {QStringLiteral("FT847"), QStringLiteral("FT817")}; }
    explicit YaesuBinaryRig(const QString &id);

    QByteArray receiveByte(quint8 byte) override;
    bool echoes() const override { return false; }

    // FT847: Main is the satellite receive VFO in satellite mode (else the
    // main VFO), Sub the satellite transmit VFO. FT817: both are its VFO.
    qint64 hz(RigSide side) const { return vfo(side).hz; }
    quint8 mode(RigSide side) const { return vfo(side).mode; }
    bool satelliteMode() const { return m_satellite; }
    bool catOn() const { return m_cat; }
    bool clarifierOn() const { return m_clarifier; }
    int clarifierOffset() const { return m_clarifierOffset; } // signed, in the rig's 10 Hz units
    QString tone() const { return m_tone; }                   // last tone parameter, hexadecimal
    bool toneOn() const { return m_toneOn; }

    QString modelId() const override { return m_id; }
    QStringList statusDetails() const override;
    QString dialText(RigSide side) const override;
    bool turnDial(RigSide side, qint64 hz) override;
    QString changeMode(RigSide side, const QStringList &words) override;
    bool powered() const override { return m_powered; }
    void setPowered(bool on) override { m_powered = on; }
    bool setEcho(bool) override { return false; }
    bool echoSetting() const override { return false; }
    QStringList logLines() const override { return m_log; }
    void clearCommands() override { m_log.clear(); }
    QStringList cwSent() const override { return {}; }
    void setFailureMode(FailureMode mode) override { m_failure = mode; }
    FailureMode failureMode() const override { return m_failure; }

private:
    struct Vfo {
        qint64 hz = 0;
        quint8 mode = 0x01;
    };
    bool ft847() const { return m_id == QLatin1String("FT847"); }
    int vfoIndex(RigSide side) const;
    const Vfo &vfo(RigSide side) const { return m_vfo[vfoIndex(side)]; }
    QByteArray execute(const QByteArray &frame);
    QByteArray frequencyAnswer(const Vfo &vfo) const;

    QString m_id;
    Vfo m_vfo[3]; // main, satellite receive, satellite transmit
    bool m_cat = false;
    bool m_satellite = false;
    bool m_clarifier = false;
    int m_clarifierOffset = 0;
    QString m_tone = QStringLiteral("0885");
    bool m_toneOn = false;
    bool m_powered = true;
    QByteArray m_frame;
    QStringList m_log;
    FailureMode m_failure = FailureMode::None;
    quint32 m_noise = 0x6D2B79F5u;
};

} // namespace vm::sim
