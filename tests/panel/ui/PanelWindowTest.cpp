#include "panel/ui/PanelWindow.h"
#include "../PanelFixture.h"
#include "WidgetApplication.h"
#include "common/SettingKeys.h"
#include "panel/ui/LogDestinationsDialog.h"
#include "panel/ui/PassbandScale.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QWheelEvent>

using namespace vm;
using namespace vm::test;

class PanelWindowTest : public PanelFixture {
protected:
    void SetUp() override
    {
        ensureWidgetApplication();
        PanelFixture::SetUp();
        m_window = std::make_unique<PanelWindow>(*m_core, *m_settings, m_launcher);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        m_window->control("Text1")->setFocus();
        m_channel.sent.clear();
    }
    void TearDown() override { m_window.reset(); }

    template <typename W> W *find(const QString &name) const { return m_window->findChild<W *>(name); }

    std::unique_ptr<PanelWindow> m_window;
};

TEST_F(PanelWindowTest, ArrowKeysOnTheValueBarsRaiseWithRightAndLowerWithLeft)
{
    // An FM satellite with its RIT bar, CW speed and XIT: keys on a focused
    // bar move the value the way the arrow points.
    report(QStringLiteral("OPPSANSO-50"));
    for (const char *name : {"HScroll1", "HScroll2", "HScroll3"}) {
        SCOPED_TRACE(name);
        auto *bar = find<QScrollBar>(QString::fromUtf8(name));
        bar->setEnabled(true);
        bar->setFocus();
        const int before = bar->value();
        QTest::keyClick(bar, Qt::Key_Right);
        EXPECT_GT(bar->value(), before);
        QTest::keyClick(bar, Qt::Key_Left);
        QTest::keyClick(bar, Qt::Key_Left);
        EXPECT_LT(bar->value(), before);
    }
}

TEST_F(PanelWindowTest, MarkersAreRedAndTextsFitTheirControls)
{
    takeUp(QStringLiteral("AO-07"));
    m_core->scaleHover(145950123.0);
    report(QStringLiteral("OPPRXS145924999"));
    report(QStringLiteral("OPPTXS432175001"));
    for (const char *name : {"Label12", "Label13_1", "Label13_2"}) {
        SCOPED_TRACE(name);
        auto *label = find<QLabel>(QString::fromUtf8(name));
        EXPECT_TRUE(label->isVisible());
        EXPECT_TRUE(label->styleSheet().contains(QStringLiteral("#ff0000")))
            << label->styleSheet().toStdString();
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    } // controls shown from the start: Languages/PanelLayout.TextsFitAndControlsDoNotOverlap
}

TEST_F(PanelWindowTest, CtrlXDeletesOnlyASelection)
{
    auto *call = find<QLineEdit>(QStringLiteral("Text1"));
    call->setText(QStringLiteral("JA1ABC"));
    call->setCursorPosition(2);
    QTest::keyClick(call, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(call->text(), QStringLiteral("JA1ABC"));
    call->setSelection(3, 3);
    QTest::keyClick(call, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(call->text(), QStringLiteral("JA1"));
}

TEST_F(PanelWindowTest, ActivationFocusesTheTypingBoxAndRaisesTheCompanionsInOrder)
{
    QStringList raised;
    m_window->setWindowRaiser([&raised](const QString &title) {
        raised << title;
        return true;
    });
    m_core->hotKey();
    QStringList group = PanelCore::trackerWindowTitles();
    group << QStringLiteral("WaterFall for Velomira") << QStringLiteral("OP Schedule");
    EXPECT_EQ(raised, group);

    // With the CW message box open, activation puts the focus there.
    raised.clear();
    m_core->view().setVisible(Control::CwEditFrame, true);
    QEvent activation(QEvent::ActivationChange);
    QApplication::sendEvent(m_window.get(), &activation);
    EXPECT_EQ(QApplication::focusWidget(), m_window->control(QStringLiteral("Text4")));
    EXPECT_EQ(raised, group);
}

TEST_F(PanelWindowTest, KeyTableWinsOverAccessKeys)
{
    report("OPPSANAO-07");
    report("OPPMLT2");
    QWidget *call = m_window->control("Text1");
    QTest::keyClick(call, Qt::Key_G, Qt::AltModifier);
    ASSERT_TRUE(find<QGroupBox>("Frame9")->isVisible());
    // Alt+L is also the access key of the shown option "LSB(&L)"; the key table takes it.
    QTest::keyClick(call, Qt::Key_L, Qt::AltModifier);
    EXPECT_TRUE(find<QGroupBox>("Frame13")->isVisible());
    EXPECT_FALSE(find<QRadioButton>("Option1_2")->isChecked() && takeSent().contains("RCMMDS4"));
    // The mode list took the focus; Escape there still closes the chooser.
    EXPECT_EQ(QApplication::focusWidget(), m_window->control("List3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(find<QGroupBox>("Frame9")->isVisible());
}

TEST_F(PanelWindowTest, ScaleClickOffsetWheelAndButtons)
{
    report("OPPSANAO-07");
    takeSent();
    PassbandScale *scale = m_window->scale();
    QTest::mouseClick(scale, Qt::LeftButton, {}, QPoint(scale->width() / 2, 10));
    const QStringList sent = takeSent();
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sent.first(), "RCMQSM1");
    EXPECT_NEAR(sent.last().mid(6).toDouble(), 145950000.0, 100.0);

    QLabel *offset = find<QLabel>("Label10");
    QWheelEvent wheel(QPointF(5, 5), offset->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(offset, &wheel);
    EXPECT_EQ(takeSent(), QStringList{"RCMOFF100"});
    EXPECT_EQ(offset->text(), "100");

    QPushButton *up = find<QPushButton>("Command9");
    QTest::mousePress(up, Qt::RightButton);
    QTest::mouseRelease(up, Qt::RightButton);
    QTest::mouseClick(find<QPushButton>("Command8"), Qt::LeftButton);
    EXPECT_EQ(takeSent(), (QStringList{"RCMOFF200", "RCMOFF190"}));
}

TEST_F(PanelWindowTest, DopplerButtonAndStatusPanel)
{
    report("OPPSANAO-07");
    takeSent();
    QTest::mouseClick(find<QPushButton>("Command1_2"), Qt::LeftButton);
    EXPECT_EQ(takeSent().value(0), "RCMDOP2");
    EXPECT_TRUE(find<QPushButton>("Command1_2")->styleSheet().contains("#80ff80"));
    QTest::mouseClick(find<QLabel>("StatusBar1_1"), Qt::LeftButton);
    EXPECT_EQ(find<QLabel>("StatusBar1_1")->text(), "挿入");
}

// A close that goes ahead ends the controller: PanelSystem.KeysOnThePanelMoveTheSimulatedRig...
TEST_F(PanelWindowTest, ClosingIsRefusedWhileTheSatelliteFormIsOpen)
{
    m_settings->setValue(keys::Sro, "1");
    EXPECT_FALSE(m_window->close());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_FALSE(m_core->isClosing());
}

TEST_F(PanelWindowTest, CallSignBoxAndCwEditorOverwriteUntilInsertIsOn)
{
    m_core->editCwMessage(1, false);
    auto *cw = find<QLineEdit>(QStringLiteral("Text4"));
    cw->setFocus();
    QTest::keyClicks(cw, "cq de");
    cw->setCursorPosition(0);
    QTest::keyClicks(cw, "!v"); // a refused character replaces nothing
    EXPECT_EQ(cw->text(), "VQ DE");

    auto *call = find<QLineEdit>(QStringLiteral("Text1"));
    call->setFocus();
    QTest::keyClicks(call, "ja1abc");
    EXPECT_EQ(call->text(), "JA1ABC");
    call->setCursorPosition(2);
    QTest::keyClicks(call, "7");
    EXPECT_EQ(call->text(), "JA7ABC");
    QTest::keyClick(call, Qt::Key_Insert);
    QTest::keyClicks(call, "X");
    EXPECT_EQ(call->text(), "JA7XABC");
    QTest::keyClick(call, Qt::Key_Down);
    EXPECT_EQ(control("List5").items, QStringList{"JA7XABC"});
}

TEST_F(PanelWindowTest, StatusPanelsStayApartAndShortTextsStayWhole)
{
    // A long port path (a pseudo-terminal link) in panel 3, rig 2 on another.
    rig("IC9700:/home/operator/velomira/demo-home/ic9700-link:1:IC910:/dev/ttyUSB1:1:3");
    QApplication::processEvents();
    QList<QLabel *> panels;
    for (int p = 1; p <= 16; ++p)
        panels << find<QLabel>(QStringLiteral("StatusBar1_%1").arg(p));
    const int barWidth = m_window->statusBar()->width();
    for (int i = 0; i < panels.size(); ++i) {
        const QRect g = panels[i]->geometry();
        EXPECT_LE(g.right(), barWidth) << "panel " << i + 1;
        if (i > 0) {
            EXPECT_GT(g.left(), panels[i - 1]->geometry().right()) << "panel " << i + 1 << " overlaps";
        }
    }
    // Texts no wider than their panel's nominal width are never cut.
    for (int p : {1, 2, 4, 11, 16}) {
        QLabel *l = panels[p - 1];
        EXPECT_GE(l->contentsRect().width(), l->fontMetrics().horizontalAdvance(l->text()))
            << "panel " << p << " \"" << l->text().toStdString() << '"';
    }
}

TEST_F(PanelWindowTest, WindowAndEveryControlCarryTheirNames)
{
    EXPECT_EQ(m_window->objectName(), "Kepral_RigControl");
    EXPECT_EQ(m_window->windowTitle(), "Velomira");
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const Control c = controlAt(i);
        const QString name = formName(c);
        EXPECT_TRUE(m_core->view().has(c)) << name.toStdString();
        if (c == Control::FrequencyLine ||
            (controls::quickMemoryLine(1) <= c && c <= controls::quickMemoryLine(4)))
            continue; // lines drawn by the scale
        if (QWidget *w = m_window->widget(c)) {
            EXPECT_EQ(w->objectName(), name);
            EXPECT_EQ(m_window->control(name), w);
        } else {
            EXPECT_NE(m_window->menuAction(name), nullptr) << name.toStdString();
        }
    }
}

TEST_F(PanelWindowTest, LogDestinationsShowTheWindowsLoggerDisabledAndSaveTheChoice)
{
    LogDestinationsDialog dialog(*m_settings, m_dir.path());
    auto *hamlog = dialog.findChild<QCheckBox *>("ToHAMLOG");
    ASSERT_NE(hamlog, nullptr);
    EXPECT_FALSE(hamlog->isEnabled());
    EXPECT_FALSE(dialog.findChild<QLabel *>("HAMLOGReason")->text().isEmpty());
    dialog.findChild<QCheckBox *>("ToUDP")->setChecked(true);
    dialog.findChild<QLineEdit *>("UDPHost")->setText("239.255.0.1");
    dialog.save();
    EXPECT_EQ(m_settings->value(keys::LogToUdp), "1");
    EXPECT_EQ(m_settings->value(keys::UdpHost), "239.255.0.1");
}

TEST_F(PanelWindowTest, ScheduleFrameOpensFromItsMenuAndRegistersTheEditedList)
{
    m_clock = test::ManualClock(QDateTime::currentMSecsSinceEpoch());
    takeUp("RS-44"); // the schedule menu is offered with a satellite
    ASSERT_TRUE(m_core->takeScheduleLines({"10:00/RS-44"})); // registered while the frame is closed
    m_window->menuAction("mkSKD")->trigger();
    auto *list = find<QListWidget>("List1");
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->count(), 1);
    const QRect row = list->visualItemRect(list->item(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    auto *line = find<QLineEdit>("Text3");
    ASSERT_TRUE(line->isVisible());
    line->setCursorPosition(3);
    QTest::keyClicks(line, "15/ao-07"); // typed over the characters under the cursor
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(list->item(0)->text(), "10:15/AO-07");
    m_channel.sent.clear();
    QTest::mouseClick(find<QPushButton>("Command6"), Qt::LeftButton);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(m_channel.sent, QStringList{"RCMSKD1"});
    QTest::mouseClick(find<QCheckBox>("Check1"), Qt::LeftButton);
    EXPECT_EQ(m_settings->value(keys::Skd1), "1");
}
