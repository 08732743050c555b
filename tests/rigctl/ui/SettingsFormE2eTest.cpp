// The settings form's rig test and the rig memory writer against the rigsim
// program on a pseudo-terminal.

#include "../ControllerFixture.h"
#include "PanelEndpoint.h"
#include "ProcessTools.h"
#include "SimulatedStation.h"
#include "TestPaths.h"
#include "WidgetApplication.h"
#include "cat/QSerialPortTransport.h"
#include "common/SatelliteTable.h"
#include "common/TextFile.h"
#include "platform/LocalChannel.h"
#include "rigctl/RigMemories.h"
#include "rigctl/ui/RigSettingsWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace vm;
using namespace vm::test;

namespace {

class SettingsFormE2e : public ControllerFixture {
protected:
    void SetUp() override
    {
        ensureWidgetApplication();
        realPorts = true;
        ControllerFixture::SetUp();
    }
};

} // namespace

TEST_F(SettingsFormE2e, ShowsTheRigsAnswersOrTheOpeningErrorAndReopensTheControllersPort)
{
    SimulatedStation station;
    ASSERT_TRUE(station.startRigsim());
    Controller &c = started();
    RigSettingsWindow window(c);

    // The controller's connection is closed for the test and opened again
    // after it, on the port now set.
    const struct {
        QString port;
        const char *shown;
        bool reopened;
    } rows[] = {
        {station.rigLink, "echo on", true},
        {path("no-such-port"), "no-such-port", false},
    };
    for (const auto &row : rows) {
        c.editSettings([&](ControllerSettings &s) { s.rigs.rig1.port = row.port; });
        window.findChild<QPushButton *>("Rig1Test")->click();
        const QString result = window.findChild<QLabel *>("RigTestResult")->text();
        EXPECT_TRUE(result.contains(row.shown)) << result.toStdString();
        EXPECT_EQ(c.rigOpen(1), row.reopened) << row.shown;
    }
}

TEST_F(SettingsFormE2e, MemoryWriterPutsTheFirst99AcceptedSatellitesIntoTheRigAndListsTheRefusedOnes)
{
    SimulatedStation station;
    ASSERT_TRUE(station.startRigsim());
    // Every tenth satellite has a 10 m downlink, which the IC-9700 does not have.
    QStringList lines{QStringLiteral("Name,UP,DOWN,Width,Beacon,Tone,TXTRV,RXTRV,NonRev,MLTmode")};
    for (int i = 1; i <= 120; ++i)
        lines << QStringLiteral("SAT-%1,145900,%2,20,,,,,,")
                     .arg(i, 3, 10, QLatin1Char('0'))
                     .arg(i % 10 ? 435800 : 29400);
    ASSERT_TRUE(TextFile::writeAtomic(path("SATdata.txt"), lines.join(u'\n') + u'\n'));
    Controller &c = started();
    c.editSettings([&](ControllerSettings &s) { s.rigs.rig1.port = station.rigLink; });

    QSerialPortTransport transport;
    QStringList captions;
    const rigMemories::Outcome written = rigMemories::run(
        c, transport, rigMemories::Operation::Write, [&](const QString &caption) { captions << caption; });
    EXPECT_EQ(written.result.written, 99);
    EXPECT_TRUE(written.result.limitReached);
    QStringList refused;
    for (int i = 10; i <= 100; i += 10)
        refused << QStringLiteral("SAT-%1").arg(i, 3, 10, QLatin1Char('0'));
    EXPECT_EQ(written.result.refused, refused);
    EXPECT_TRUE(written.message.contains("SAT-100")) << written.message.toStdString();
    EXPECT_EQ(captions.size(), 109); // the refused numbers were tried again by the next satellite
    EXPECT_EQ(station.rig("memory 10"), "OK 435810000 145910000 SAT-011");
    EXPECT_EQ(station.rig("memory 99"), "OK 435810000 145910000 SAT-109");
    EXPECT_TRUE(c.rigOpen(1)); // the controller has its own connection again

    EXPECT_EQ(rigMemories::run(c, transport, rigMemories::Operation::Erase, {}).result.written, 0);
    for (const char *channel : {"memory 1", "memory 99"})
        EXPECT_EQ(station.rig(channel), "OK empty");
}

TEST_F(SettingsFormE2e, FromAnEmptyDataFolderTheFormSetsUpTheRigAndTunavoxTunesItForTheChosenSatellite)
{
    SimulatedStation station;
    station.rigLink = path("rig"); // the port's link outside the data folder, which stays empty
    ASSERT_TRUE(station.startRigsim());
    ASSERT_TRUE(QDir(station.homeDir()).isEmpty());
    // Element sets the operator keeps outside the data folder.
    const QString elements = path("amateur.txt");
    ASSERT_TRUE(TextFile::writeLinesAtomic(
        elements, {"AO-07", "1 07530U 74089B   24001.50000000 -.00000040  00000-0  10000-3 0  9994",
                   "2 07530 101.9800 100.0000 0012000 200.0000 160.0000 12.53650000200003"}));

    {
        // The form on the empty folder, each control set as the operator would.
        ControllerEnvironment env;
        env.dataDir = station.homeDir();
        Controller settingsHost(env);
        RigSettingsWindow form(settingsHost);
        form.show();
        using P = RigSettingsWindow::Part;
        const auto find = [&form](P p) { return form.findChild<QWidget *>(RigSettingsWindow::formName(p)); };
        const auto choose = [&](P p, const QString &value) {
            auto *box = static_cast<QComboBox *>(find(p));
            box->setCurrentIndex(box->findData(value));
            emit box->activated(box->currentIndex());
        };
        const auto type = [&](QWidget *field, const QString &text) {
            auto *edit = qobject_cast<QLineEdit *>(field);
            if (!edit)
                edit = static_cast<QComboBox *>(field)->lineEdit();
            edit->selectAll();
            for (const QChar c : text) {
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(edit, &press);
            }
            emit edit->editingFinished();
        };
        choose(P::Rig1Model, "IC9700");
        type(find(P::Rig1Port), station.rigLink);
        choose(P::Rig1Baud, "19200");
        type(find(P::Rig1CivAddress), "a2");
        // Kepral32, which is not started: the built-in computation stands in
        // without a question, and the choice stays in the settings.
        choose(P::TrackingProgram, "1");
        type(find(P::Locator), "PM95vq");
        type(find(P::TleFile), elements);
    }
    // The panel's first start writes the default satellite table.
    ASSERT_TRUE(SatelliteTable::writeDefault(station.file("SATdata.txt")));

    PanelEndpoint panel(station);
    ASSERT_TRUE(panel.open());
    QProcess tunavox;
    ASSERT_TRUE(station.startTunavox(tunavox));
    ASSERT_TRUE(panel.receives("OPPOP11"));
    ASSERT_TRUE(panel.channel.send(Controller::OwnTitle, "RCMSATAO-07"));
    ASSERT_TRUE(panel.waitFor([&] {
        const qint64 hz = station.dial("main");
        return hz >= 145925000 && hz <= 145975000;
    })) << station.rig("status").toStdString();
    EXPECT_TRUE(panel.records.contains("OPPSANAO-07"));
    // The panel goes away: the controller ends at its next tick.
    panel.channel.unregisterTitle("Velomira");
    EXPECT_TRUE(tunavox.waitForFinished(GenerousMs));
    EXPECT_EQ(tunavox.exitCode(), 0);
    EXPECT_EQ(Settings(station.file("Velomira.ini")).file().value("RIG_CON_CFG", "Calc_Type"), "1");
    stop(tunavox);
}
