#pragma once

#include "cat/RigDriver.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace vm {

// The Kenwood / Yaesu text-command driver of one rig (TS2000, TS590, TS990,
// FT2000, FT991), with these models' opening, closing, same-band and
// satellite set-up sequences. Model differences come from RigModels
// (RigModelInfo::text and the capability flags).
class TextDriver final : public PortRigDriver {
public:
    // The context and hooks belong to the controller and must outlive the driver.
    TextDriver(int rigNumber, SerialTransport &transport, CatContext &context, const CatHooks &hooks);
    Q_DISABLE_COPY_MOVE(TextDriver)

    bool open() override;
    void close() override;

    void setFrequency(Band band, qint64 hz) override;
    void setFrequencySameBand(Band band, qint64 hz) override;
    void setMode(Band band, const QString &mode) override;
    void pollFrequency() override;
    void pollMode() override;
    void readCurrentFrequencies() override {}
    void toneOn(const QString &toneHz) override;
    void toneOff() override;
    void sendCw(const QString &text) override;
    void stopCw() override;
    void readCwSpeed() override;
    void setCwSpeed(const QString &level, const QString &wpm) override;
    bool setSameBandOperation(bool on) override;
    void setUpSatellite(const SatelliteSetup &setup) override;

    // Driver state, for the controller and for tests.
    Band side() const { return m_side; }
    bool startUpFlag() const { return m_startUpFlag; }
    const QString &receiveBandPrefix() const { return m_rxPrefix; }
    const QString &transmitBandPrefix() const { return m_txPrefix; }

private:
    const TextDialect &dialect() const { return m_model->text; }
    bool twoSided() const { return dialect().satelliteSides && !isRig2(); }
    void send(const QString &command, int expectedReplyLength = 0);
    // Sends a read and returns the answer when it has the length and name expected.
    std::optional<QString> ask(const QString &command, int expectedLength, const QStringList &names);
    std::optional<QChar> askDigit(const QString &command, int expectedLength, int index);
    void readFrequency(const QString &vfo, Band side);
    void readIf();
    void readMode(Band side);
    void takeFrequency(qint64 hz, Band side);
    void takeMode(QChar digit, Band side);
    void openRig1Sequence();
    void openRig2Sequence();
    void openTs2000();
    void closeTs2000();
    void loadKeyerMemories();

    bool m_startUpFlag = false;
    bool m_toneOn = false;
    Band m_side = Band::A;
    QString m_rxMode;
    QString m_txMode;
    QString m_lastRxModeSent;
    QString m_lastTxModeSent;
    QString m_rxPrefix;
    QString m_txPrefix;
};

} // namespace vm
