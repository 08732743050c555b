#pragma once

#include "cat/CivExchange.h"
#include "cat/RigDriver.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <optional>

namespace vm {

// The Icom CI-V driver of one rig (rig 1, the Doppler rig, or rig 2, the
// second transmitter), with the Icom models' opening, closing, same-band and
// satellite set-up sequences. All model differences come from RigModels.
class IcomDriver final : public RigDriver {
public:
    // The context and hooks belong to the controller and must outlive the driver.
    IcomDriver(int rigNumber, SerialTransport &transport, CatContext &context, const CatHooks &hooks);
    Q_DISABLE_COPY_MOVE(IcomDriver)

    // Port, baud rate, model and CI-V address text (two hexadecimal digits,
    // either case; empty means 00). False when the address is not a
    // hexadecimal byte: the settings stay as they were.
    bool configure(const QString &portName, const QString &baudRate, const QString &rigModel,
                   const QString &civAddress);
    bool configure(const RigConfig &config) override;

    const RigModelInfo &model() const override { return *m_model; }
    RigPort &port() override { return m_port; }
    quint8 address() const { return m_address; }
    int rigNumber() const { return m_port.rigNumber(); }

    bool open() override;
    void close() override;

    // For rig test tools: opens the port without the model's opening
    // sequence (the rig is left as it is), and closes it without the closing
    // sequence. Nothing is reported.
    bool openPortOnly();
    void closePortOnly();
    // Sets the dial of the band selected now (05, no band selection).
    void setSelectedDial(qint64 hz);
    // The rig's own satellite mode (16 5A or 1A 07). False when the model has none.
    bool setSatelliteMode(bool on);

    void setFrequency(Band band, qint64 hz) override;
    void setFrequencySameBand(Band band, qint64 hz) override;
    void setMode(Band band, const QString &mode) override;
    void pollFrequency() override;
    void pollMode() override;
    void readCurrentFrequencies() override;
    void toneOn(const QString &toneHz) override;
    void toneOff() override;
    void sendCw(const QString &text) override;
    void stopCw() override;
    void readCwSpeed() override;
    void setCwSpeed(const QString &level, const QString &wpm) override;
    bool setSameBandOperation(bool on) override;
    void setUpSatellite(const SatelliteSetup &setup) override;

    // Icom operations beyond the common set.
    void selectBandA();
    void selectBandB();
    void exchangeBands();
    void toneOnCode(const QString &code4);
    void readDataMode() override;
    void readNoiseBlanker() override;
    void readNoiseReduction() override;
    void setCwSpeedLevel(const QString &level4);
    void setRit(bool on) override;
    void setRitOffset(const QString &text) override; // "-0120": four digits, optional "-"
    void readRigSetting();
    void restoreRigSetting();
    // Reads the dial / mode of the band selected now and keeps it as the
    // side of `pollBand` (reported as a poll would). A parsed answer leaves
    // the port's pending-reply count at 0.
    void readFrequency(Band pollBand);
    void readMode(Band pollBand);

    // Driver state, for the controller and for tests.
    std::optional<Band> currentBand() const { return m_band; }
    const QString &receiveBandPrefix() const { return m_rxPrefix; }
    const QString &transmitBandPrefix() const { return m_txPrefix; }
    void setReceiveBandPrefix(const QString &prefix) { m_rxPrefix = prefix; }
    const QString &receiveMode() const { return m_rxMode; }
    const QString &transmitMode() const { return m_txMode; }
    quint8 savedRigSetting() const { return m_savedSetting; }
    bool toneIsOn() const { return m_toneOn; }
    // Whether the line echoes our frames (found at the first read after opening).
    CivExchange::Echo echo() const { return m_civ.echo(); }

private:
    bool isRig2() const { return m_port.rigNumber() == 2; }
    bool hasBands() const;
    quint8 bandSelector(Band band) const;
    void send(QByteArrayView body, int expectedReplyLength = 0);
    // Sends a command whose reply is only the rig's acknowledgement and
    // takes the reply off the line.
    void sendAcknowledged(QByteArrayView body);
    std::optional<QByteArray> readAnswer(QByteArrayView command, int dataBytes);
    void selectBand(Band band);
    void takeFrequency(qint64 hz, Band pollBand);
    void takeMode(quint8 code, Band pollBand);
    void openRig1Sequence();
    void openRig2Sequence();
    void closeRig1Sequence();

    RigPort m_port;
    CivExchange m_civ;
    CatContext &m_context;
    const CatHooks &m_hooks;
    const RigModelInfo *m_model;
    quint8 m_address = 0;
    bool m_closing = false;

    std::optional<Band> m_band;
    QString m_rxMode;
    QString m_txMode;
    QString m_lastRxModeSent;
    QString m_lastTxModeSent;
    bool m_rxModeSent = false;
    bool m_txModeSent = false;
    QString m_rxPrefix;
    QString m_txPrefix;
    quint8 m_savedSetting = 0;
    bool m_toneOn = false;
};

} // namespace vm
