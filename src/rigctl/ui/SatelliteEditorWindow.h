#pragma once

#include "rigctl/SatelliteEditorRules.h"

#include <QDialog>

#include <array>
#include <cstddef>
#include <functional>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace vm {

class Controller;

// The satellite editor `SATreg`: the satellite table as an editable grid,
// checked and saved back to the table file. What it decides is in
// satelliteEditor (rigctl); this is the view.
class SatelliteEditorWindow final : public QDialog {
    Q_OBJECT
public:
    enum class Part {
        Window,
        Grid,
        AddSat,
        Sort,
        SortPanel,
        SortRun,
        SatDel,
        NameList,
        FreqInfo,
        WriteMemories,
        WriteMemoriesWithBeacons,
        EraseMemories,
        SaveEnd,
        InputMode,
        Problems
    };
    struct PartName {
        Part part;
        const char *formName;
    };
    static constexpr std::array Parts{
        PartName{Part::Window, "SATreg"},        PartName{Part::Grid, "MSFlexGrid1"},
        PartName{Part::AddSat, "AddSat"},        PartName{Part::Sort, "MSFGsort"},
        PartName{Part::SortPanel, "SortPanel"},  PartName{Part::SortRun, "SortRun"},
        PartName{Part::SatDel, "SatDel"},        PartName{Part::NameList, "GROUPlist"},
        PartName{Part::FreqInfo, "FreqInfo"},    PartName{Part::WriteMemories, "Mwrt"},
        PartName{Part::WriteMemoriesWithBeacons, "MwrtBC"}, PartName{Part::EraseMemories, "Mdel"},
        PartName{Part::SaveEnd, "SaveEnd"},
        PartName{Part::InputMode, "StatusBar1"}, PartName{Part::Problems, "TableProblems"},
    };
    static QString formName(Part part) { return QString::fromLatin1(Parts[std::size_t(part)].formName); }

    explicit SatelliteEditorWindow(Controller &controller, QWidget *parent = nullptr);

    // The operator's answers: a stop message, and a yes/no question. Message
    // boxes by default; tests answer them.
    std::function<void(const QString &title, const QString &text)> showStop;
    std::function<bool(const QString &title, const QString &text)> ask;

    satelliteEditor::Grid grid() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void redraw(const satelliteEditor::Grid &rows, int selectRow);
    void rowMenu(const QPoint &at);
    void sortRun();
    void deleteAll();
    void saveAndClose();
    bool saveTable();
    void takeName();

    Controller &m_controller;
    QString m_path;
    bool m_keepOld = false;      // the table loaded with problems: keep the old file
    bool m_closingSaved = false; // closed by the save button: no question
    QTableWidget *m_grid;
    QGroupBox *m_sortPanel;
    QButtonGroup *m_sortColumn;
    QButtonGroup *m_sortOrder;
    QListWidget *m_names;
    QLabel *m_inputMode;
    QLabel *m_problems;
    QPushButton *m_saveEnd;
};

} // namespace vm
