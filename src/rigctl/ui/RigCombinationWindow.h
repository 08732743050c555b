#pragma once

#include "rigctl/ControllerSettings.h"

#include <QDialog>

#include <array>
#include <cstddef>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace vm {

class Controller;

// Registration of a rig combination: the satellites it is for and the one
// rig set-up they use, written to "RigCombi.txt". The set-up is chosen in
// this window's own rig controls, so the settings form keeps its values.
class RigCombinationWindow final : public QDialog {
    Q_OBJECT
public:
    enum class Part {
        Window,
        Satellites,
        Rig1Model,
        Rig2Model,
        Rig1Port,
        Rig2Port,
        Rig1Baud,
        Rig2Baud,
        Rig1CivAddress,
        Rig2CivAddress,
        PollTime,
        RigUsage,
        Summary1,
        Summary2,
        Summary3,
        Register
    };
    struct PartName {
        Part part;
        const char *formName;
    };
    static constexpr std::array Parts{
        PartName{Part::Window, "RigCombi"},
        PartName{Part::Satellites, "SatList"},
        PartName{Part::Rig1Model, "CombiRig1Model"},
        PartName{Part::Rig2Model, "CombiRig2Model"},
        PartName{Part::Rig1Port, "CombiRig1Port"},
        PartName{Part::Rig2Port, "CombiRig2Port"},
        PartName{Part::Rig1Baud, "CombiRig1Baud"},
        PartName{Part::Rig2Baud, "CombiRig2Baud"},
        PartName{Part::Rig1CivAddress, "CombiRig1CivAddress"},
        PartName{Part::Rig2CivAddress, "CombiRig2CivAddress"},
        PartName{Part::PollTime, "CombiPollTime"},
        PartName{Part::RigUsage, "CombiRigUsage"},
        PartName{Part::Summary1, "CombiSummary1"},
        PartName{Part::Summary2, "CombiSummary2"},
        PartName{Part::Summary3, "CombiSummary3"},
        PartName{Part::Register, "CombiRegister"},
    };
    static QString formName(Part part) { return QString::fromLatin1(Parts[std::size_t(part)].formName); }

    // Loads the table; before the first registration the explanation is
    // shown, and Cancel there means no window (nullptr).
    static RigCombinationWindow *
    open(Controller &controller, QWidget *parent,
         const std::function<bool(const QString &, const QString &)> &askOkCancel);

    RigCombinationWindow(Controller &controller, QWidget *parent = nullptr);

    std::function<void(const QString &title, const QString &text)> showStop;

private:
    struct RigControls {
        QComboBox *model;
        QComboBox *port;
        QComboBox *baud;
        QLineEdit *civAddress;
    };
    void buildRig(int rigNumber, RigControls &rig);
    void showSetUp(const RigArrangement &setUp);
    RigArrangement chosen() const;
    void registerCombination();

    Controller &m_controller;
    QListWidget *m_satellites;
    RigControls m_rig1{};
    RigControls m_rig2{};
    QSpinBox *m_poll;
    QComboBox *m_usage;
    std::array<QLabel *, 3> m_summary{};
};

} // namespace vm
