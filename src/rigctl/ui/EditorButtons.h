#pragma once

#include <QWidget>

#include <array>
#include <cstddef>

namespace vm {

class Controller;

// The settings form's row of buttons that open its editors: the satellite
// editor, the rig combination registration, the offset backup and restore,
// and the digital-mode program's start settings.
class EditorButtons final : public QWidget {
    Q_OBJECT
public:
    enum class Part { SatelliteEditor, RigCombination, SaveOffsets, LoadOffsets, WsjtSettings };
    struct PartName {
        Part part;
        const char *formName;
    };
    static constexpr std::array Parts{
        PartName{Part::SatelliteEditor, "SATregButton"},
        PartName{Part::RigCombination, "RigCombiButton"},
        PartName{Part::SaveOffsets, "OFSsv"},
        PartName{Part::LoadOffsets, "OFSld"},
        PartName{Part::WsjtSettings, "WSJTsetButton"},
    };
    static QString formName(Part part) { return QString::fromLatin1(Parts[std::size_t(part)].formName); }

    explicit EditorButtons(Controller &controller, QWidget *parent = nullptr);

private:
    void openSatelliteEditor();
    void openRigCombination();
    void saveOffsets();
    void loadOffsets();
    void inform(const QString &text);

    Controller &m_controller;
};

} // namespace vm
