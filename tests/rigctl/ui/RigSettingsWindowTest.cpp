// The controller's settings window: its end button and close box.

#include "rigctl/ui/RigSettingsWindow.h"
#include "../ControllerFixture.h"
#include "WidgetApplication.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

using namespace vm;
using namespace vm::test;

namespace {

class SettingsWindow : public ControllerFixture {
protected:
    void SetUp() override
    {
        ensureWidgetApplication();
        ControllerFixture::SetUp();
    }
};

} // namespace

TEST_F(SettingsWindow, ShowsTheRigSetUpItsEndButtonClosesLikeTheFormTheCloseBoxOnlyHides)
{
    Controller &c = started();
    RigSettingsWindow window(c);
    EXPECT_EQ(window.objectName(), "RigCFG");
    EXPECT_EQ(window.windowTitle(), "環境設定Tunavox");
    auto *summary = window.findChild<QLabel *>("RigSummary");
    ASSERT_NE(summary, nullptr);
    EXPECT_TRUE(summary->text().contains("IC9700")) << summary->text().toStdString();
    EXPECT_TRUE(summary->text().contains("/dev/sim1"));

    send("RCMSHW");
    window.show();
    EXPECT_FALSE(c.rigOpen(1));
    send("RCMOFF100"); // the dispatcher is detached while the window is open
    EXPECT_EQ(c.offsetO(), 0);
    auto *end = window.findChild<QPushButton *>("CFGEND");
    ASSERT_NE(end, nullptr);
    end->click();
    EXPECT_FALSE(c.settingsOpen());
    EXPECT_TRUE(c.rigOpen(1));
    EXPECT_TRUE(c.dispatcherAttached());
    EXPECT_TRUE(c.timer1().running);
    EXPECT_EQ(setting("VLMRC", "CFO"), "0");
    EXPECT_FALSE(windowShown);

    // The close box saves and hides without ending the controller.
    window.show();
    EXPECT_FALSE(window.close()); // refused: the controller hides it instead
    EXPECT_FALSE(c.closing());
    EXPECT_EQ(setting("RIG_CON_CFG", "RIG_TYPE"), "IC9700");
    EXPECT_EQ(setting("VLMRC", "CFO"), "0");
}

namespace {

template <typename T> T *part(RigSettingsWindow &w, RigSettingsWindow::Part p)
{
    T *found = w.findChild<T *>(RigSettingsWindow::formName(p));
    EXPECT_NE(found, nullptr) << RigSettingsWindow::formName(p).toStdString();
    return found;
}

void choose(RigSettingsWindow &w, RigSettingsWindow::Part p, const QString &value)
{
    QComboBox *box = part<QComboBox>(w, p);
    const int i = box->findData(value);
    ASSERT_GE(i, 0) << value.toStdString();
    box->setCurrentIndex(i);
    emit box->activated(i);
}

} // namespace

TEST_F(SettingsWindow, EachControlWritesItsSettingAtOnce)
{
    using P = RigSettingsWindow::Part;
    Controller &c = started();
    RigSettingsWindow window(c);
    window.show();

    choose(window, P::Rig1Baud, "115200");
    EXPECT_EQ(setting("RIG_CON_CFG", "BAUD_RATE"), "115200");
    EXPECT_EQ(setting("VLMRC", "ETC"), "45"); // the reply wait follows the speed

    QLineEdit *civ = part<QLineEdit>(window, P::Rig1CivAddress);
    civ->setFocus();
    civ->setCursorPosition(0);
    for (const QString &key :
         {QStringLiteral("9"), QStringLiteral("-")}) { // overwrite mode at start: "A2" becomes "92"
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
        QApplication::sendEvent(civ, &press);
    }
    EXPECT_EQ(setting("RIG_CON_CFG", "ICOM_RIGadrs"), "92");

    choose(window, P::Rig1Model, "None");
    EXPECT_EQ(setting("RIG_CON_CFG", "RIG_TYPE"), "None");
    EXPECT_EQ(setting("RIG_CON_CFG", "RIGCOMCONT"), "None");
    EXPECT_FALSE(civ->isEnabled());

    choose(window, P::TrackingProgram, "2");
    EXPECT_EQ(setting("RIG_CON_CFG", "Calc_Type"), "2");
    auto *warning = window.findChild<QMessageBox *>();
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(warning->windowTitle(), "Velomira");
    EXPECT_TRUE(warning->text().contains("Ornik"));

    QLineEdit *locator = part<QLineEdit>(window, P::Locator);
    locator->setText("PM95vq");
    emit locator->editingFinished();
    EXPECT_EQ(setting("QTH", "Locator"), "PM95vq");
    EXPECT_NEAR(setting("QTH", "Latitude").toDouble(), 35.6875, 1e-3);
    QLineEdit *latitude = part<QLineEdit>(window, P::Latitude);
    latitude->setText("95"); // refused: the stored station stays
    emit latitude->editingFinished();
    EXPECT_NEAR(setting("QTH", "Latitude").toDouble(), 35.6875, 1e-3);
    EXPECT_FALSE(part<QLabel>(window, P::StationNote)->text().isEmpty());
    EXPECT_TRUE(part<QPushButton>(window, P::SoundButton)->styleSheet().contains("ffffc0"));

    const auto edit = [&](P p, const QString &text) {
        part<QLineEdit>(window, p)->setText(text);
        emit part<QLineEdit>(window, p)->editingFinished();
    };
    const struct {
        std::function<void()> use;
        const char *section;
        const char *key;
        const char *value;
    } rows[] = {
        {[&] { choose(window, P::RigUsage, "3"); }, "RIG_CON_CFG", "RigContType", "3"},
        {[&] { part<QSpinBox>(window, P::PollTime)->setValue(300); }, "RIG_CON_CFG", "Poll_Time", "300"},
        {[&] { part<QCheckBox>(window, P::AutoPowerOff)->setChecked(true); }, "RIG_CON_CFG", "AutoPowerOFF",
         "1"},
        {[&] { choose(window, P::RemarksField, "Rem2"); }, "HAMLOGpos", "RemPos", "Rem2"},
        {[&] { choose(window, P::StartCommand, "5"); }, "Velomira", "StartCmdMode", "5"},
        {[&] { choose(window, P::StartUpMode, "CW"); }, "RIG_CON_CFG", "StartUpMODE", "CW"},
        {[&] { part<QSlider>(window, P::NoticeTime)->setValue(-5); }, "WAVPOS", "WavStart", "-5"},
        {[&] { edit(P::Remarks, "%Via #SN%"); }, "HAMLOGpos", "Remarks", "%Via #SN%"},
        {[&] { part<QSpinBox>(window, P::ModeOffset)->setValue(650); }, "SATinfo", "MODEoffset", "650"},
    };
    for (const auto &row : rows) {
        row.use();
        EXPECT_EQ(setting(row.section, row.key), row.value) << row.key;
    }
    EXPECT_TRUE(part<QLabel>(window, P::NoticeTimeCaption)->text().contains("5"));
    EXPECT_TRUE(part<QCheckBox>(window, P::AdifCheck)->text().contains("Rem1")); // the field Rem2 leaves

    // A click on the mode-offset label moves its small step on, shown in the frame.
    QLabel *offsetLabel = part<QLabel>(window, P::ModeOffsetLabel);
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(offsetLabel, &click);
    EXPECT_EQ(part<QGroupBox>(window, P::ModeOffsetFrame)->title(), "Mode offset x100");
    EXPECT_EQ(part<QSpinBox>(window, P::ModeOffset)->singleStep(), 100);

    part<QPushButton>(window, P::SoundTest)->click();
    part<QPushButton>(window, P::SoundStop)->click();
    EXPECT_EQ(sound.requests(), 2);
}
