#pragma once

#include "rigsim/IcomMemories.h"
#include "rigsim/IcomModel.h"
#include "rigsim/ReceivedCommand.h"
#include "rigsim/SimulatedRig.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QtGlobal>

namespace vm::sim {

// One VFO: dial frequency, operating mode and filter, data mode and its filter.
struct VfoState {
    qint64 hz = 0;
    quint8 mode = 0x01;
    quint8 filter = 1;
    quint8 dataMode = 0;
    quint8 dataFilter = 0;
};

// An Icom transceiver on the CI-V bus: takes the controller's bytes, carries
// out the commands addressed to it and answers them as the real rig does.
// The bus echo is the line's business (SerialLine, feed()).
class IcomRig final : public ConsoleRig {
public:
    // Main and sub band of a twin-band rig; for a single-band rig Main is the
    // VFO in use and Sub the other one.
    using Side = RigSide;

    explicit IcomRig(const IcomModel &model);
    IcomRig(const IcomModel &model, quint8 address);

    const IcomModel &model() const { return m_model; }
    quint8 address() const { return m_address; }
    void setAddress(quint8 address) { m_address = address; }

    QByteArray receiveByte(quint8 byte) override;
    bool echoes() const override;
    // Bytes as they come back on the bus for `bytes` sent at once: each byte's
    // echo, the rig's answer right after the echo of the frame's FD.
    QByteArray feed(const QByteArray &bytes);

    // The "CI-V USB echo back" setting of the rig (on by default).
    void setEchoEnabled(bool on) { m_echo = on; }
    bool echoEnabled() const { return m_echo; }

    void setFailureMode(FailureMode mode) override { m_failure = mode; }
    FailureMode failureMode() const override { return m_failure; }

    // Every frame seen on the bus since the start or the last clear, oldest first.
    const QList<ReceivedCommand> &commands() const { return m_log; }
    void clearCommands() override { m_log.clear(); }

    // What the operator would see on the front panel.
    VfoState dial(Side side) const;
    VfoState vfo(Side band, int index) const; // twin-band: VFO A (0) / B (1) of a band
    Side selectedBand() const { return m_selected == 0 ? Side::Main : Side::Sub; }
    int activeVfo(Side band) const;
    bool satelliteMode() const { return m_satellite; }
    bool split() const { return m_split; }
    bool dualWatch() const { return m_dualWatch; }
    bool powered() const override { return m_powered; }
    bool transmitting() const { return m_ptt; }
    quint8 function(quint8 code, Side band = Side::Main) const; // 16 xx value
    int toneTenthsHz(Side band = Side::Main) const;             // 1B 00, 885 for 88.5 Hz
    int keyerLevel() const { return m_keyerLevel; }             // 14 0C, 0..255
    bool ritOn() const { return m_ritOn; }
    int ritOffsetHz() const { return m_ritOffsetHz; }
    QByteArray setting(quint16 number) const;            // 1A 05 value, 00 when never set
    QStringList cwSent() const override { return m_cw; } // texts keyed with 17; "<stop>" for 17 FF
    QString memoryText(int channel) const override { return m_memories.text(channel); }

    // Operator actions at the front panel. False when the rig cannot do it
    // (frequency outside its bands, mode it does not have).
    bool turnDial(Side side, qint64 hz) override;
    bool setDialMode(Side side, quint8 mode, quint8 filter = 1);
    void setPowered(bool on) override { m_powered = on; }

    // The console's view.
    QString modelId() const override { return m_model.id; }
    QStringList statusDetails() const override;
    QString dialText(Side side) const override;
    QString changeMode(Side side, const QStringList &words) override;
    bool setEcho(bool on) override
    {
        m_echo = on;
        return true;
    }
    bool echoSetting() const override { return m_echo; }
    QStringList logLines() const override;

private:
    struct Band {
        VfoState vfo[2];
        int active = 0;
        QMap<quint8, quint8> functions;
        int toneTenthsHz = 885;
        int squelchToneTenthsHz = 885;
    };
    struct Reply {
        ReceivedCommand::Answer kind = ReceivedCommand::Answer::None;
        QByteArray body;
    };

    QByteArray handleFrame(const QByteArray &frame, int preamble);
    Reply execute(quint8 cmd, const QByteArray &rest);
    Reply vfoCommand(const QByteArray &rest);
    Reply selectedVfoCommand(quint8 cmd, const QByteArray &rest);
    Reply settingCommand(const QByteArray &rest);
    Reply functionCommand(const QByteArray &rest);
    Reply levelCommand(const QByteArray &rest);
    Reply toneCommand(const QByteArray &rest);
    Reply ritCommand(const QByteArray &rest);
    Reply cwCommand(const QByteArray &rest);
    Reply satelliteCommand(const QByteArray &rest);
    QByteArray garble(qsizetype length);

    int bandIndex(Side side) const;
    VfoState &currentVfo();
    VfoState *vfoFor(Side side);
    bool canTune(int band, qint64 hz) const;
    bool setFrequency(int band, VfoState &vfo, qint64 hz);
    int frequencyBytes(qint64 hz) const;

    IcomModel m_model;
    quint8 m_address;
    Band m_bands[2];
    int m_selected = 0;
    bool m_satellite = false;
    bool m_split = false;
    bool m_dualWatch = false;
    bool m_powered = true;
    bool m_ptt = false;
    bool m_echo = true;
    int m_keyerLevel = 0;
    bool m_ritOn = false;
    bool m_deltaTxOn = false;
    int m_ritOffsetHz = 0;
    QMap<quint8, int> m_levels;
    QMap<quint16, QByteArray> m_settings;
    IcomMemories m_memories;
    QStringList m_cw;
    FailureMode m_failure = FailureMode::None;
    QList<ReceivedCommand> m_log;
    quint32 m_noise = 0x2545F491u;

    // Frame assembly
    QByteArray m_frame;
    bool m_inFrame = false;
    int m_preambleCount = 0;
};

} // namespace vm::sim
