// The editors opened from the settings window, offscreen: each is driven as
// an operator would and the file it writes is read back.
#include "../ControllerFixture.h"
#include "WidgetApplication.h"
#include "rigctl/ui/EditorButtons.h"
#include "rigctl/ui/RigCombinationWindow.h"
#include "rigctl/ui/SatelliteEditorWindow.h"
#include "rigctl/ui/WsjtSettingsWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

using namespace vm;
using namespace vm::test;

namespace {

void key(QWidget *to, int k, const QString &text = QString())
{
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QApplication::sendEvent(to, &press);
}

class EditorWindows : public ControllerFixture {
protected:
    void SetUp() override
    {
        ensureWidgetApplication();
        ControllerFixture::SetUp();
    }
};

} // namespace

TEST_F(EditorWindows, SatelliteEditorEditsChecksAndSavesTheTable)
{
    using P = SatelliteEditorWindow::Part;
    Controller &c = started();
    ASSERT_EQ(c.calcType(), "4") << "the built-in source offers the names of its TLE file";
    ASSERT_TRUE(TextFile::writeLinesAtomic(
        path("nasabare.txt"),
        {"ISS (ZARYA)", "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927",
         "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537"}));

    SatelliteEditorWindow editor(c);
    QStringList stops;
    QStringList asked;
    bool answer = false;
    editor.showStop = [&](const QString &title, const QString &text) { stops << title + "|" + text; };
    editor.ask = [&](const QString &, const QString &text) {
        asked << text;
        return answer;
    };
    editor.show();
    EXPECT_EQ(editor.windowTitle(), "衛星の登録　(SATdata.txtとして保存されます)");
    auto *grid = editor.findChild<QTableWidget *>(SatelliteEditorWindow::formName(P::Grid));
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->rowCount(), testTable().size() - 1);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "衛 星 名");
    EXPECT_NE(grid->item(0, 0)->background(), grid->item(1, 0)->background());

    // Typing in the name cell opens the floating editor with its limit.
    grid->setFocus();
    grid->setCurrentCell(0, 0);
    key(grid, Qt::Key_X, "X");
    auto *cell = grid->findChild<QLineEdit *>();
    ASSERT_NE(cell, nullptr);
    cell->setText(QString(30, u'N'));
    key(cell, Qt::Key_Return);
    QApplication::processEvents(); // the editor commits once the key is handled
    EXPECT_EQ(grid->item(0, 0)->text(), QString(24, u'N'));
    key(grid, Qt::Key_Return);
    EXPECT_EQ(grid->currentColumn(), 1) << "Enter walks along the row";

    // The name list fills the name cell.
    auto *names = editor.findChild<QListWidget *>(SatelliteEditorWindow::formName(P::NameList));
    ASSERT_EQ(names->count(), 1);
    grid->setCurrentCell(0, 0);
    EXPECT_TRUE(names->isVisibleTo(&editor));
    names->setCurrentRow(0);
    key(names, Qt::Key_Return);
    EXPECT_EQ(grid->item(0, 0)->text(), "ISS (ZARYA)");

    // An added empty row is refused and selected; filled, the table saves.
    editor.findChild<QPushButton *>(SatelliteEditorWindow::formName(P::AddSat))->click();
    auto *save = editor.findChild<QPushButton *>(SatelliteEditorWindow::formName(P::SaveEnd));
    save->click();
    ASSERT_EQ(stops.size(), 1);
    EXPECT_TRUE(stops[0].startsWith("衛星登録|空白行は登録できません")) << stops[0].toStdString();
    EXPECT_EQ(grid->currentRow(), grid->rowCount() - 1);
    EXPECT_EQ(TextFile::readLines(path("SATdata.txt")), testTable()) << "nothing written";

    EXPECT_FALSE(editor.close()) << "closing unsaved asks, and No keeps the form";
    EXPECT_EQ(asked.size(), 1);
    const QStringList added{"CAS-4A", "435210", "145870", "20"};
    for (int i = 0; i < added.size(); ++i)
        grid->item(grid->rowCount() - 1, i)->setText(added[i]);
    save->click();
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(asked.size(), 1) << "the save button closes without asking";

    const auto lines = TextFile::readLines(path("SATdata.txt"));
    ASSERT_TRUE(lines);
    EXPECT_TRUE(lines->first().startsWith("衛 星 名,UP Link(KHz)"));
    EXPECT_TRUE(lines->at(1).startsWith("ISS (ZARYA),145935,435610"));
    EXPECT_EQ(lines->last(), "CAS-4A,435210,145870,20,,,,,,");
    EXPECT_EQ(c.satellites().count(), testTable().size() + 1);
    EXPECT_EQ(channel.last("OPPHAI"), QString::number(testTable().size() + 1));
    EXPECT_EQ(setting("VLMRC", "SRO"), "0");
}

TEST_F(EditorWindows, RigCombinationRegistersTheChosenSatellitesWithOneSetUp)
{
    using P = RigCombinationWindow::Part;
    Controller &c = started();
    QStringList explained;
    const auto ask = [&](const QString &title, const QString &) {
        explained << title;
        return false; // Cancel
    };
    EXPECT_EQ(RigCombinationWindow::open(c, nullptr, ask), nullptr) << "Cancel on the explanation";
    ASSERT_EQ(explained, QStringList{"リグのコンビ登録"});

    std::unique_ptr<RigCombinationWindow> window(
        RigCombinationWindow::open(c, nullptr, [](auto &&...) { return true; }));
    ASSERT_NE(window, nullptr);
    const auto find = [&](P p) { return window->findChild<QWidget *>(RigCombinationWindow::formName(p)); };
    EXPECT_EQ(static_cast<QLabel *>(find(P::Summary1))->text(), "未登録");
    auto *list = static_cast<QListWidget *>(find(P::Satellites));
    ASSERT_EQ(list->count(), testTable().size() - 1);
    for (const char *label : {"AO-07 A-mode", "RS-44 "})
        list->findItems(label, Qt::MatchExactly).value(0)->setSelected(true);
    auto *model = static_cast<QComboBox *>(find(P::Rig2Model));
    model->setCurrentIndex(model->findData("FT817"));
    static_cast<QPushButton *>(find(P::Register))->click();

    const auto lines = TextFile::readLines(path("RigCombi.txt"));
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 2);
    EXPECT_TRUE(lines->at(0).startsWith(R"("RS-44 ","IC9700","/dev/sim1","19200","A2","1","0","FT817")"))
        << "list order, stop bits and text flag from the models";
    EXPECT_EQ(RigCombinationTable::parseLine(lines->at(1))[RigCombination::StopBits2], "2");
    ASSERT_EQ(c.rigCombinations().count(), 2);

    RigCombinationWindow again(c);
    EXPECT_TRUE(static_cast<QLabel *>(again.findChild<QWidget *>(RigCombinationWindow::formName(P::Summary2)))
                    ->text()
                    .startsWith("FT817"));
    EXPECT_EQ(
        again.findChild<QListWidget *>(RigCombinationWindow::formName(P::Satellites))->selectedItems().size(),
        2);
}

TEST_F(EditorWindows, ButtonsOpenTheEditorsAndTheDigitalModeProgramIsStoredOnClose)
{
    Controller &c = started();
    QWidget form;
    EditorButtons buttons(c, &form);
    form.show();
    buttons.findChild<QPushButton *>(EditorButtons::formName(EditorButtons::Part::SatelliteEditor))->click();
    EXPECT_EQ(setting("VLMRC", "SRO"), "1");
    EXPECT_NE(form.findChild<SatelliteEditorWindow *>("SATreg"), nullptr);

    WsjtSettingsWindow wsjt(c);
    wsjt.findChild<QLineEdit *>(WsjtSettingsWindow::PathName)->setText("/opt/jtdx/bin/jtdx");
    wsjt.findChild<QLineEdit *>(WsjtSettingsWindow::RigNameName)->setText("");
    EXPECT_TRUE(
        wsjt.findChild<QLineEdit *>(WsjtSettingsWindow::PreviewName)->text().endsWith("/JTDX - SAT/"));
    wsjt.reject();
    EXPECT_EQ(setting("HAMLOGpos", "WSJTX/JTDXの場所"), "/opt/jtdx/bin/jtdx/SAT");
}
