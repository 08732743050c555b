#pragma once

#include "cat/RigModel.h"
#include "cat/RigPort.h"

#include <QString>
#include <memory>

namespace vm {

class SerialTransport;
struct CatContext;
struct CatHooks;

// One rig's settings ([RIG_CON_CFG] RIGCOMCONT / BAUD_RATE / RIG_TYPE /
// ICOM_RIGadrs and their "2" twins).
struct RigConfig {
    QString portName; // device path; empty, "0" or "None" for no port
    QString baudRate = QStringLiteral("9600");
    QString rigModel = QStringLiteral("None");
    QString civAddress; // Icom only: two hexadecimal digits, empty for 00
};

// Band letters: "A" carries the receive (downlink) side, "B" the transmit
// (uplink) side, in every driver.
enum class Band { A, B };

// What a satellite needs from a rig when it is chosen (dial frequencies in
// hertz, transverter offsets not yet taken off).
struct SatelliteSetup {
    qint64 downlinkHz = 0;
    qint64 uplinkHz = 0;
    QString startUpMode = QStringLiteral("SSB"); // StartUpMODE: "SSB", "CW", "UC"
    QString toneHz;                              // empty: no uplink tone (linear transponder)
    bool fm() const { return !toneHz.isEmpty(); }
};

// One rig as the controller drives it. Each protocol family (Icom CI-V,
// Kenwood/Yaesu text, Yaesu binary) implements it on a RigPort.
class RigDriver {
public:
    virtual ~RigDriver() = default;

    virtual const RigModelInfo &model() const = 0;
    virtual RigPort &port() = 0;

    // Takes the rig's settings. False (settings unchanged) when one of them
    // is unusable, such as a CI-V address that is not a hexadecimal byte.
    virtual bool configure(const RigConfig &config) = 0;

    // Opens the port and runs the model's opening sequence; reports
    // "OPPOP1"/"OPPOP2" "1". A port that is already open is closed first.
    virtual bool open() = 0;
    // Runs the closing sequence, closes the port, reports "OPPOP1"/"OPPOP2" "0".
    virtual void close() = 0;

    // Sets a dial frequency; the band selection around it follows the
    // Doppler state. Values that do not fit the model's digits are refused.
    virtual void setFrequency(Band band, qint64 hz) = 0;
    // Same-band satellite operation (state 6): sets the VFO of the band
    // without transverter offsets.
    virtual void setFrequencySameBand(Band band, qint64 hz) = 0;
    virtual void setMode(Band band, const QString &mode) = 0;

    // Reads the dials / modes the rig shows and reports them to the panel.
    virtual void pollFrequency() = 0;
    virtual void pollMode() = 0;
    // The first pass after a change: reads both sides' frequencies.
    virtual void readCurrentFrequencies() = 0;

    virtual void toneOn(const QString &toneHz) = 0;
    virtual void toneOff() = 0;
    // The uplink tone a satellite needs: on for an FM satellite, off otherwise.
    void setToneFor(const SatelliteSetup &setup)
    {
        if (setup.fm())
            toneOn(setup.toneHz);
        else
            toneOff();
    }
    virtual void sendCw(const QString &text) = 0;
    virtual void stopCw() = 0;
    virtual void readCwSpeed() = 0;
    // Keying speed: `level` is the four-digit level of the Icom rigs,
    // `wpm` the speed in words per minute of the text-command rigs.
    virtual void setCwSpeed(const QString &level, const QString &wpm) = 0;

    // Switches the same-band ("UU") arrangement on or off. False (and a
    // message) when the model cannot do it.
    virtual bool setSameBandOperation(bool on) = 0;
    // Puts the rig on a newly chosen satellite: bands, frequencies, modes, tone.
    virtual void setUpSatellite(const SatelliteSetup &setup) = 0;

    // Operations only some families have; by default they do nothing.
    virtual void setRit(bool) {}
    virtual void setRitOffset(const QString &) {}
    virtual void readDataMode() {}
    virtual void readNoiseBlanker() {}
    virtual void readNoiseReduction() {}
};

// A driver on one RigPort with the model taken from the settings: the part the
// text and binary families share. A rig that stops answering is closed with
// its closing sequence; the writes of that sequence are skipped because the
// port is already marked closed.
class PortRigDriver : public RigDriver {
public:
    // The context and hooks belong to the controller and must outlive the driver.
    PortRigDriver(int rigNumber, SerialTransport &transport, CatContext &context, const CatHooks &hooks);

    bool configure(const RigConfig &config) override;
    const RigModelInfo &model() const override { return *m_model; }
    RigPort &port() override { return m_port; }

protected:
    bool isRig2() const { return m_port.rigNumber() == 2; }

    RigPort m_port;
    CatContext &m_context;
    const CatHooks &m_hooks;
    const RigModelInfo *m_model;
    bool m_closing = false;
};

// Whether rig `rigNumber` of this model can work a satellite on one band;
// when it cannot, the operator is told so through the hooks.
bool sameBandSupported(const RigModelInfo &model, int rigNumber, const CatHooks &hooks);

// The driver of the model's protocol family for rig 1 or rig 2, or nullptr
// when the family has no driver here (no rig, or a family not yet driven).
std::unique_ptr<RigDriver> createRigDriver(const QString &rigModel, int rigNumber, SerialTransport &transport,
                                           CatContext &context, const CatHooks &hooks);

} // namespace vm
