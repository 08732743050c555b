#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <cstddef>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QNetworkAccessManager;
class QProgressBar;
class QPushButton;
class QSlider;
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
        StartCommand,
        NoticeTime,
        NoticeTimeCaption,
        Remarks,
        SoundTest,
        SoundStop,
        ModeOffsetFrame,
        ModeOffsetLabel,
        Rig1Test,
        Rig2Test,
        RigTestResult,
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
        PartName{Part::StartCommand, "StartCommand"},
        PartName{Part::NoticeTime, "NoticeTime"},
        PartName{Part::NoticeTimeCaption, "NoticeTimeCaption"},
        PartName{Part::Remarks, "RemarksTemplate"},
        PartName{Part::SoundTest, "SoundTest"},
        PartName{Part::SoundStop, "SoundStop"},
        PartName{Part::ModeOffsetFrame, "ModeOffsetFrame"},
        PartName{Part::ModeOffsetLabel, "ModeOffsetLabel"},
        PartName{Part::Rig1Test, "Rig1Test"},
        PartName{Part::Rig2Test, "Rig2Test"},
        PartName{Part::RigTestResult, "RigTestResult"},
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
    // Each section of the form is built, filled and wired in its own file.
    struct RigControls {
        QComboBox *model;
        QComboBox *port;
        QComboBox *baud;
        QLineEdit *civAddress;
        QPushButton *test;
    };
    // Rigs (RigSettingsRigs.cpp)
    QWidget *buildRigs();
    void buildRig(int rigNumber, RigControls &rig);
    void fillPorts(QComboBox *box, const QString &current);
    void onModel(int rigNumber);
    void testRig(int rigNumber);
    void refreshRigs();
    // Tracking (RigSettingsTracking.cpp)
    QWidget *buildTracking();
    void onStationLatLon();
    void onStationLocator();
    void showStation();
    void startOrbitUpdate();
    QString tleFilePath() const;
    void refreshTracking();
    // Operation, logging and sound (RigSettingsOthers.cpp)
    QWidget *buildOthers();
    QLayout *buildButtons();
    void chooseFile(QString ControllerSettings::*setting, const QString &title, const QString &filter);
    void colourButtons();
    void stepModeOffset();
    void showNoticeTime(int minutes);
    void refreshOthers();

    void toggleInputMode();

    Controller &m_controller;
    bool m_filling = false;
    QLabel *m_summary = nullptr;
    QLabel *m_status = nullptr; // why the tracking source differs from the settings
    QPushButton *m_end = nullptr;
    QLabel *m_inputMode = nullptr;
    RigControls m_rig1{};
    RigControls m_rig2{};
    QComboBox *m_usage = nullptr;
    QSpinBox *m_poll = nullptr;
    QLabel *m_testResult = nullptr;
    QComboBox *m_tracking = nullptr;
    QLineEdit *m_latitude = nullptr;
    QLineEdit *m_longitude = nullptr;
    QLineEdit *m_height = nullptr;
    QLineEdit *m_locator = nullptr;
    QLabel *m_stationNote = nullptr;
    QLineEdit *m_tleFile = nullptr;
    QLineEdit *m_tleUrl = nullptr;
    QPushButton *m_update = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_orbitNote = nullptr;
    QNetworkAccessManager *m_network = nullptr;
    OrbitDataUpdate *m_orbitUpdate = nullptr;
    QPushButton *m_logger = nullptr;
    QPushButton *m_sound = nullptr;
    QComboBox *m_startUpMode = nullptr;
    QComboBox *m_startCommand = nullptr;
    QGroupBox *m_modeOffsetFrame = nullptr;
    QLabel *m_modeOffsetLabel = nullptr;
    QSpinBox *m_modeOffset = nullptr;
    QComboBox *m_dataInterface = nullptr;
    QComboBox *m_remarksField = nullptr;
    QLineEdit *m_remarks = nullptr;
    QCheckBox *m_adif = nullptr;
    QCheckBox *m_rangeRate = nullptr;
    QCheckBox *m_autoPowerOff = nullptr;
    QSlider *m_noticeTime = nullptr;
    QLabel *m_noticeCaption = nullptr;
};

} // namespace vm
