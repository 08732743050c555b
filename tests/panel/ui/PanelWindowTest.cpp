#include "panel/ui/PanelWindow.h"
#include "../PanelFixture.h"
#include "common/SettingKeys.h"
#include "panel/ui/PassbandScale.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QWheelEvent>

using namespace vm;
using namespace vm::test;

namespace {

int argcStore = 1;
char arg0[] = "panel_window_test";
char *argvStore[] = {arg0, nullptr};

QApplication &app()
{
    static QApplication *instance = new QApplication(argcStore, argvStore);
    return *instance;
}

} // namespace

class PanelWindowTest : public PanelFixture {
protected:
    void SetUp() override
    {
        app();
        PanelFixture::SetUp();
        m_window = std::make_unique<PanelWindow>(*m_core, *m_settings, m_launcher);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        m_window->control(QStringLiteral("Text1"))->setFocus();
        m_channel.sent.clear();
    }
    void TearDown() override { m_window.reset(); }

    template <typename W> W *find(const QString &name) const { return m_window->findChild<W *>(name); }

    std::unique_ptr<PanelWindow> m_window;
};

TEST_F(PanelWindowTest, WindowAndControlsCarryTheirNames)
{
    EXPECT_EQ(m_window->objectName(), QStringLiteral("Kepral_RigControl"));
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Velomira"));
    EXPECT_NE(find<PassbandScale>(QStringLiteral("Picture2")), nullptr);
    EXPECT_EQ(find<QPushButton>(QStringLiteral("Command1_1"))->text(), QStringLiteral("衛星固定(&S)"));
    EXPECT_EQ(find<QGroupBox>(QStringLiteral("Frame9"))->title(), QStringLiteral("TX Mode Sel(G)"));
    EXPECT_FALSE(find<QGroupBox>(QStringLiteral("Frame9"))->isVisible());
    EXPECT_EQ(find<QLabel>(QStringLiteral("StatusBar1_1"))->text(), QStringLiteral("上書き"));
    EXPECT_EQ(find<QPushButton>(QStringLiteral("Command8"))->toolTip(),
              QStringLiteral("左ｸﾘｯｸで10Hz毎、右ｸﾘｯｸで100Hz毎のDOWN"));
    ASSERT_NE(m_window->menuAction(QStringLiteral("SetRIG")), nullptr);
    EXPECT_EQ(m_window->menuAction(QStringLiteral("SetRIG"))->text(), QStringLiteral("環境設定(&M)"));
}

TEST_F(PanelWindowTest, ReportsShowInTheDisplays)
{
    report(QStringLiteral("OPPRXS435123456"));
    EXPECT_EQ(find<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral(" 435.123.456"));
    EXPECT_TRUE(find<QLabel>(QStringLiteral("Label2"))->alignment() & Qt::AlignRight);
    report(QStringLiteral("OPPSANAO-07"));
    report(QStringLiteral("OPPELE1"));
    EXPECT_EQ(find<QLabel>(QStringLiteral("Label1"))->text(), QStringLiteral("AO-07"));
    EXPECT_TRUE(find<QLabel>(QStringLiteral("Label1"))->styleSheet().contains(QStringLiteral("#ff0000")));
}

TEST_F(PanelWindowTest, KeysPressedOnTheCallSignBoxTune)
{
    report(QStringLiteral("OPPSANAO-07"));
    takeSent();
    QWidget *call = m_window->control(QStringLiteral("Text1"));
    QTest::keyClick(call, Qt::Key_PageUp);
    QTest::keyClick(call, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMOFF100"), QStringLiteral("RCMOFF110")}));
    EXPECT_EQ(find<QLabel>(QStringLiteral("Label10"))->text(), QStringLiteral("110"));
    QTest::keyClicks(call, QStringLiteral("ja1abc"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text1"))->text(), QStringLiteral("JA1ABC"));
    EXPECT_EQ(control(QStringLiteral("Text1")).text, QStringLiteral("JA1ABC"));
}

TEST_F(PanelWindowTest, KeyTableWinsOverAccessKeys)
{
    report(QStringLiteral("OPPSANAO-07"));
    report(QStringLiteral("OPPMLT2"));
    QWidget *call = m_window->control(QStringLiteral("Text1"));
    QTest::keyClick(call, Qt::Key_G, Qt::AltModifier);
    ASSERT_TRUE(find<QGroupBox>(QStringLiteral("Frame9"))->isVisible());
    // Alt+L is also the access key of the shown option "LSB(&L)"; the key table takes it.
    QTest::keyClick(call, Qt::Key_L, Qt::AltModifier);
    EXPECT_TRUE(find<QGroupBox>(QStringLiteral("Frame13"))->isVisible());
    EXPECT_FALSE(find<QRadioButton>(QStringLiteral("Option1_2"))->isChecked() &&
                 takeSent().contains(QStringLiteral("RCMMDS4")));
    // The mode list took the focus; Escape there still closes the chooser.
    EXPECT_EQ(QApplication::focusWidget(), m_window->control(QStringLiteral("List3")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(find<QGroupBox>(QStringLiteral("Frame9"))->isVisible());
}

TEST_F(PanelWindowTest, ScaleClickOffsetWheelAndButtons)
{
    report(QStringLiteral("OPPSANAO-07"));
    takeSent();
    PassbandScale *scale = m_window->scale();
    QTest::mouseClick(scale, Qt::LeftButton, {}, QPoint(scale->width() / 2, 10));
    const QStringList sent = takeSent();
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sent.first(), QStringLiteral("RCMQSM1"));
    EXPECT_NEAR(sent.last().mid(6).toDouble(), 145950000.0, 100.0);

    QLabel *offset = find<QLabel>(QStringLiteral("Label10"));
    QWheelEvent wheel(QPointF(5, 5), offset->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(offset, &wheel);
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMOFF100")});

    QPushButton *up = find<QPushButton>(QStringLiteral("Command9"));
    QTest::mousePress(up, Qt::RightButton);
    QTest::mouseRelease(up, Qt::RightButton);
    QTest::mouseClick(find<QPushButton>(QStringLiteral("Command8")), Qt::LeftButton);
    EXPECT_EQ(takeSent(), (QStringList{QStringLiteral("RCMOFF200"), QStringLiteral("RCMOFF190")}));
}

TEST_F(PanelWindowTest, DopplerButtonAndStatusPanel)
{
    report(QStringLiteral("OPPSANAO-07"));
    takeSent();
    QTest::mouseClick(find<QPushButton>(QStringLiteral("Command1_2")), Qt::LeftButton);
    EXPECT_EQ(takeSent().value(0), QStringLiteral("RCMDOP2"));
    EXPECT_TRUE(
        find<QPushButton>(QStringLiteral("Command1_2"))->styleSheet().contains(QStringLiteral("#80ff80")));
    QTest::mouseClick(find<QLabel>(QStringLiteral("StatusBar1_1")), Qt::LeftButton);
    EXPECT_EQ(find<QLabel>(QStringLiteral("StatusBar1_1"))->text(), QStringLiteral("挿入"));
}

TEST_F(PanelWindowTest, ClosingEndsTheControllerUnlessRefused)
{
    m_settings->setValue(keys::Sro, QStringLiteral("1"));
    EXPECT_FALSE(m_window->close());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_FALSE(m_core->isClosing());

    m_settings->setValue(keys::Sro, QStringLiteral("0"));
    EXPECT_TRUE(m_window->close());
    EXPECT_EQ(takeSent(), QStringList{QStringLiteral("RCMEND")});
    EXPECT_TRUE(m_core->isClosing());
}

TEST_F(PanelWindowTest, CallSignBoxOverwritesUntilInsertIsOn)
{
    auto *call = find<QLineEdit>(QStringLiteral("Text1"));
    QTest::keyClicks(call, QStringLiteral("JA1ABC"));
    call->setCursorPosition(2);
    QTest::keyClicks(call, QStringLiteral("7"));
    EXPECT_EQ(call->text(), QStringLiteral("JA7ABC"));
    QTest::keyClick(call, Qt::Key_Insert);
    QTest::keyClicks(call, QStringLiteral("X"));
    EXPECT_EQ(call->text(), QStringLiteral("JA7XABC"));
    QTest::keyClick(call, Qt::Key_Down);
    EXPECT_EQ(control(QStringLiteral("List5")).items, QStringList{QStringLiteral("JA7XABC")});
}

TEST_F(PanelWindowTest, StatusPanelsStayApartAndShortTextsStayWhole)
{
    // A long port path (a pseudo-terminal link) in panel 3, rig 2 on another.
    rig(QStringLiteral("IC9700:/home/operator/velomira/demo-home/ic9700-link:1:IC910:/dev/ttyUSB1:1:3"));
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
