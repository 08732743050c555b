#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <cstddef>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QNetworkAccessManager;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace vm {

class Controller;
struct ControllerSettings;
class OrbitDataUpdate;

// The controller's settings form `RigCFG`, titled "環境設定Tunavox". Every
// control writes its setting at once; the end button `CFGEND` closes the form
// (save, re-link, reopen the rigs, hide), the close box only hides, after
// saving. What a choice implies is decided by settingsForm (rigctl).
class RigSettingsWindow final : public QWidget {
    Q_OBJECT
public:
    // The window and its controls, each named (objectName) by its form name.
    enum class Part {
        Window,
        RigSummary,
        TrackingNote,
        EndButton,
        Rig1Model,
        Rig2Model,
        Rig1Port,
        Rig2Port,
        Rig1Baud,
        Rig2Baud,
        Rig1CivAddress,
        Rig2CivAddress,
        RigUsage,
        PollTime,
        TrackingProgram,
        Latitude,
        Longitude,
        Height,
        Locator,
        StationNote,
        TleFile,
        TleUrl,
        UpdateOrbitData,
        OrbitDataProgress,
        OrbitDataNote,
        InputMode,
        LoggerButton,
        SoundButton,
        StartUpMode,
        ModeOffset,
        DataInterface,
        RemarksField,
        AdifCheck,
        RangeRateInput,
        AutoPowerOff,
    };
    struct PartName {
        Part part;
        const char *formName;
    };
    static constexpr std::array Parts{
        PartName{Part::Window, "RigCFG"},
        PartName{Part::RigSummary, "RigSummary"},
        PartName{Part::TrackingNote, "StatusBar1_2"},
        PartName{Part::EndButton, "CFGEND"},
        PartName{Part::Rig1Model, "Rig1Model"},
        PartName{Part::Rig2Model, "Rig2Model"},
        PartName{Part::Rig1Port, "Rig1Port"},
        PartName{Part::Rig2Port, "Rig2Port"},
        PartName{Part::Rig1Baud, "Rig1Baud"},
        PartName{Part::Rig2Baud, "Rig2Baud"},
        PartName{Part::Rig1CivAddress, "Rig1CivAddress"},
        PartName{Part::Rig2CivAddress, "Rig2CivAddress"},
        PartName{Part::RigUsage, "RigUsage"},
        PartName{Part::PollTime, "PollTime"},
        PartName{Part::TrackingProgram, "TrackingProgram"},
        PartName{Part::Latitude, "StationLatitude"},
        PartName{Part::Longitude, "StationLongitude"},
        PartName{Part::Height, "StationHeight"},
        PartName{Part::Locator, "StationLocator"},
        PartName{Part::StationNote, "StationNote"},
        PartName{Part::TleFile, "TleFile"},
        PartName{Part::TleUrl, "TleUrl"},
        PartName{Part::UpdateOrbitData, "UpdateOrbitData"},
        PartName{Part::OrbitDataProgress, "OrbitDataProgress"},
        PartName{Part::OrbitDataNote, "OrbitDataNote"},
        PartName{Part::InputMode, "StatusBar1_1"},
        PartName{Part::LoggerButton, "LoggerButton"},
        PartName{Part::SoundButton, "SoundButton"},
        PartName{Part::StartUpMode, "StartUpMode"},
        PartName{Part::ModeOffset, "ModeOffset"},
        PartName{Part::DataInterface, "DataInterface"},
        PartName{Part::RemarksField, "RemarksField"},
        PartName{Part::AdifCheck, "AdifCheck"},
        PartName{Part::RangeRateInput, "RangeRateInput"},
        PartName{Part::AutoPowerOff, "AutoPowerOff"},
    };
    static QString formName(Part part) { return QString::fromLatin1(Parts[std::size_t(part)].formName); }

    explicit RigSettingsWindow(Controller &controller, QWidget *parent = nullptr);
    ~RigSettingsWindow() override;

    // Fills the controls from the controller's current settings.
    void refresh();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct RigControls {
        QComboBox *model;
        QComboBox *port;
        QComboBox *baud;
        QLineEdit *civAddress;
    };
    void buildRig(int rigNumber, RigControls &rig);
    void fillPorts(QComboBox *box, const QString &current);
    void onModel(int rigNumber);
    void onStationLatLon();
    void onStationLocator();
    void showStation();
    void startOrbitUpdate();
    QString tleFilePath() const;
    void toggleInputMode();
    void chooseFile(QString ControllerSettings::*setting, const QString &title, const QString &filter);
    void colourButtons();
    QWidget *buildOthers();

    Controller &m_controller;
    bool m_filling = false;
    QLabel *m_summary;
    QLabel *m_status; // why the tracking source differs from the settings
    QPushButton *m_end;
    RigControls m_rig1{};
    RigControls m_rig2{};
    QComboBox *m_usage;
    QSpinBox *m_poll;
    QComboBox *m_tracking;
    QLineEdit *m_latitude;
    QLineEdit *m_longitude;
    QLineEdit *m_height;
    QLineEdit *m_locator;
    QLabel *m_stationNote;
    QLineEdit *m_tleFile;
    QLineEdit *m_tleUrl;
    QPushButton *m_update;
    QProgressBar *m_progress;
    QLabel *m_orbitNote;
    QLabel *m_inputMode;
    QPushButton *m_logger;
    QPushButton *m_sound;
    QComboBox *m_startUpMode = nullptr;
    QSpinBox *m_modeOffset = nullptr;
    QComboBox *m_dataInterface = nullptr;
    QComboBox *m_remarksField = nullptr;
    QCheckBox *m_adif = nullptr;
    QCheckBox *m_rangeRate = nullptr;
    QCheckBox *m_autoPowerOff = nullptr;
    QNetworkAccessManager *m_network;
    OrbitDataUpdate *m_orbitUpdate;
};

} // namespace vm
