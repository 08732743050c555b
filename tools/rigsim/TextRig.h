#pragma once

#include "rigsim/SimulatedRig.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace vm::sim {

// What sets one simulated Kenwood / Yaesu text-command model apart.
struct TextRigModel {
    QString id;              // "TS2000"
    QString identity;        // the "ID;" answer's digits
    int digits = 11;         // width of the FA / FB frequency
    QString modeCommand;     // "MD", "OM0" (TS990), "MD0" (Yaesu)
    bool yaesuModes = false; // Yaesu mode digits (5 AM, 6 RTTY, 7 CW-R, ...)
    bool ifAnswer = false;   // answers "IF;" with dial and mode
    bool satellite = false;  // "SA": main band receives, sub band transmits
    QStringList commands;    // two-letter commands it knows besides FA, FB, ID, PS and the mode command
    QList<QPair<qint64, qint64>> ranges; // tunable frequencies in hertz
    qint64 mainHz = 0;
    qint64 subHz = 0;

    bool canTune(qint64 hz) const;
    static const QList<TextRigModel> &all();
    static const TextRigModel *find(const QString &id); // case-insensitive; null when unknown
};

// A Kenwood or Yaesu transceiver taking text commands ending in ";". A read
// ("FA;") is answered with the value ("FA00435800000;"), a set ("FA...;") is
// carried out without an answer, and a command the rig does not know, or
// cannot carry out, is answered "?;". No echo.
class TextRig final : public ConsoleRig {
public:
    explicit TextRig(const TextRigModel &model);

    const TextRigModel &model() const { return m_model; }
    QByteArray receiveByte(quint8 byte) override;
    bool echoes() const override { return false; }

    // The front panel. Main is VFO A (the TS2000's main band), Sub VFO B (its sub band).
    qint64 hz(RigSide side) const { return m_vfo[side == RigSide::Main ? 0 : 1].hz; }
    QChar modeDigit(RigSide side) const { return m_vfo[side == RigSide::Main ? 0 : 1].mode; }
    // A stored setting by its command ("AI", "KS", "TO", "SA", "EX012", "KM1" ...); empty when never set.
    QString value(const QString &name) const { return m_values.value(name); }
    const QStringList &commands() const { return m_log; }

    QString modelId() const override { return m_model.id; }
    QStringList statusDetails() const override;
    QString dialText(RigSide side) const override;
    bool turnDial(RigSide side, qint64 hz) override;
    QString changeMode(RigSide side, const QStringList &words) override;
    bool powered() const override { return m_values.value(QStringLiteral("PS")) == QLatin1String("1"); }
    void setPowered(bool on) override
    {
        m_values[QStringLiteral("PS")] = on ? QStringLiteral("1") : QStringLiteral("0");
    }
    bool setEcho(bool) override { return false; }
    bool echoSetting() const override { return false; }
    QStringList logLines() const override { return m_log; }
    void clearCommands() override { m_log.clear(); }
    QStringList cwSent() const override { return m_cw; }
    void setFailureMode(FailureMode mode) override { m_failure = mode; }
    FailureMode failureMode() const override { return m_failure; }

private:
    struct Vfo {
        qint64 hz = 0;
        QChar mode = QLatin1Char('2');
    };
    QString execute(const QString &command);
    QString frequencyCommand(int vfo, const QString &name, const QString &param);
    QString modeCommand(const QString &param);
    int controlVfo() const; // the VFO the mode command acts on
    QString modeName(QChar digit) const;

    TextRigModel m_model;
    Vfo m_vfo[2];
    QMap<QString, QString> m_values;
    QStringList m_log;
    QStringList m_cw;
    QString m_buffer;
    FailureMode m_failure = FailureMode::None;
    quint32 m_noise = 0x9E3779B9u;
};

} // namespace vm::sim
