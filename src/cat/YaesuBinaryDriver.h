#pragma once

#include "cat/RigDriver.h"

#include <QByteArray>
#include <QString>

namespace vm {

// The Yaesu five-byte binary driver of one rig: the FT847 (satellite rig
// with receive and transmit VFOs) and the FT817 (one VFO; the clarifier
// carries the same-band receive offset). The rigs do not echo.
class YaesuBinaryDriver final : public PortRigDriver {
public:
    // The context and hooks belong to the controller and must outlive the driver.
    YaesuBinaryDriver(int rigNumber, SerialTransport &transport, CatContext &context, const CatHooks &hooks);
    Q_DISABLE_COPY_MOVE(YaesuBinaryDriver)

    bool open() override;
    void close() override;

    void setFrequency(Band band, qint64 hz) override;
    void setFrequencySameBand(Band band, qint64 hz) override;
    void setMode(Band band, const QString &mode) override;
    void pollFrequency() override;
    void pollMode() override {} // the frequency answer carries the mode
    void readCurrentFrequencies() override {}
    void toneOn(const QString &toneHz) override;
    void toneOff() override;
    void sendCw(const QString &) override {}
    void stopCw() override {}
    void readCwSpeed() override {}
    void setCwSpeed(const QString &, const QString &) override {}
    bool setSameBandOperation(bool on) override;
    void setUpSatellite(const SatelliteSetup &setup) override;

    // Driver state, for tests.
    QChar lastDigit() const { return m_lastDigit; }
    Band side() const { return m_side; }

private:
    bool isFt817() const { return !m_model->satelliteVfos; }
    void send(const QByteArray &frame, int expectedReplyLength = 0);
    void sendFrequency(quint8 opcode, qint64 hz);
    // Reads one side (FT847 0x13 / 0x23, FT817 0x03) and reports it.
    void read(quint8 opcode, Band side);
    void toneOnCode(quint8 code);

    bool m_toneOn = false;
    QChar m_lastDigit = QLatin1Char('0');
    Band m_side = Band::A;
    qint64 m_sameBandTransmitHz = 0;
    QString m_rxMode;
    QString m_txMode;
    QString m_rxPrefix;
    QString m_txPrefix;
};

} // namespace vm
