#include "PanelFixture.h"

#include "common/SettingKeys.h"

#include <QDir>

using namespace vm;
using namespace vm::test;

namespace {
constexpr int Shift = KeyTable::Shift;
constexpr int Ctrl = KeyTable::Ctrl;
constexpr int Alt = KeyTable::Alt;
} // namespace

using PanelKeys = PanelFixture;

TEST(KeyTableRows, ModifierRulesCompareWholeValues)
{
    EXPECT_TRUE(KeyTable::matches(KeyTable::Mods::NotShiftNorCtrl, Alt));
    EXPECT_TRUE(KeyTable::matches(KeyTable::Mods::NotShiftNorCtrl, Shift | Ctrl));
    EXPECT_FALSE(KeyTable::matches(KeyTable::Mods::NotShiftNorCtrl, Shift));
    EXPECT_FALSE(KeyTable::matches(KeyTable::Mods::ShiftOnly, Shift | Alt)); // whole values
}

TEST_F(PanelKeys, UnknownKeysAndCwMessageKeysWithoutTheFeaturePassThrough)
{
    EXPECT_FALSE(m_core->handleKey(Qt::Key_A, 0));
    EXPECT_FALSE(m_core->handleKey(Qt::Key_Return, 0)); // CW-speed pop-up not shown
    EXPECT_TRUE(takeSent().isEmpty());

    // No rig that keys CW: neither sending nor editing; with one, empty messages send nothing.
    for (int k = Qt::Key_F5; k <= Qt::Key_F8; ++k)
        EXPECT_FALSE(m_core->handleKey(k, Shift));
    rig("IC9700:COM3:1:None:None:0:0");
    for (int k = Qt::Key_F5; k <= Qt::Key_F8; ++k)
        EXPECT_FALSE(m_core->handleKey(k, 0));
}

TEST_F(PanelKeys, PageKeysTestTheBoundBeforeTheStep)
{
    m_settings->file().set("SATinfo", "AO-07B-mode_offset", "29950");
    report("OPPSANAO-07");
    takeSent();
    EXPECT_TRUE(m_core->handleKey(Qt::Key_PageUp, 0));
    EXPECT_EQ(m_core->offset(), 30050);
    EXPECT_FALSE(m_core->handleKey(Qt::Key_PageUp, Shift));
    EXPECT_TRUE(m_core->handleKey(Qt::Key_PageDown, Ctrl));
    EXPECT_EQ(takeSent(), (QStringList{"RCMOFF30050", "RCMOFF29950"}));
    // The mode list open, or an FM satellite: dead.
    report("OPPMLT2");
    m_core->clickModeLabel();
    EXPECT_FALSE(m_core->handleKey(Qt::Key_PageDown, 0));
    report("OPPSANSO-50");
    EXPECT_FALSE(m_core->handleKey(Qt::Key_PageUp, 0));
}

TEST_F(PanelKeys, ShiftArrowsTuneTenHertzOrMoveTheXitBar)
{
    report("OPPSANAO-07");
    takeSent();
    EXPECT_TRUE(m_core->handleKey(Qt::Key_Right, Shift));
    EXPECT_TRUE(m_core->handleKey(Qt::Key_Up, Shift));
    EXPECT_TRUE(m_core->handleKey(Qt::Key_Left, Shift));
    EXPECT_EQ(m_core->offset(), 10);
    EXPECT_TRUE(m_core->handleKey(Qt::Key_Down, Shift));
    EXPECT_EQ(m_core->offset(), 0);
    takeSent();
    // With the transmit-mode chooser open the same key moves the XIT bar.
    EXPECT_TRUE(m_core->handleKey(Qt::Key_G, Alt));
    EXPECT_TRUE(control("Frame9").visible);
    EXPECT_TRUE(m_core->handleKey(Qt::Key_Right, Shift));
    EXPECT_EQ(m_core->offset(), 0);
    EXPECT_EQ(control("HScroll3").value, 100);
    EXPECT_TRUE(m_core->handleKey(Qt::Key_Left, Ctrl));
    EXPECT_EQ(control("HScroll3").value, 0);
    EXPECT_EQ(takeSent(), (QStringList{"RCMSPT100", "RCMSPT0"}));
    for (int i = 0; i < 10; ++i)
        m_core->handleKey(Qt::Key_Up, Shift);
    EXPECT_EQ(control("HScroll3").value, 1000);
    EXPECT_FALSE(m_core->handleKey(Qt::Key_Up, Shift)); // at its maximum
    EXPECT_FALSE(m_core->handleKey(Qt::Key_Up, Alt));   // no row for Alt
}

TEST_F(PanelKeys, CwSpeedKeysAndPopupNeedCw)
{
    report("OPPTXMUSB");
    EXPECT_FALSE(m_core->handleKey(Qt::Key_H, Ctrl));
    EXPECT_FALSE(m_core->handleKey(Qt::Key_Right, Ctrl));
    report("OPPTXMCW");
    const double start = control("HScroll2").value;
    EXPECT_TRUE(m_core->handleKey(Qt::Key_H, Ctrl));
    EXPECT_TRUE(m_core->handleKey(Qt::Key_Up, Ctrl));
    EXPECT_TRUE(m_core->handleKey(Qt::Key_Y, Ctrl));
    EXPECT_EQ(control("HScroll2").value, start + 1);
    EXPECT_TRUE(m_core->handleKey(Qt::Key_Left, Ctrl));
    EXPECT_TRUE(m_core->handleKey(Qt::Key_Down, Ctrl));
    EXPECT_EQ(control("HScroll2").value, start - 1);
    for (int i = 0; i < 100; ++i)
        m_core->handleKey(Qt::Key_Y, Ctrl);
    EXPECT_EQ(control("HScroll2").value, control("HScroll2").minimum);
    m_core->statusBarClick(15, false);
    EXPECT_EQ(control("HScroll2").value, control("HScroll2").minimum + 1);
    m_core->statusBarClick(13, false);
    EXPECT_EQ(control("HScroll2").value, control("HScroll2").minimum);
    m_core->setHover(PanelCore::Hover::CwSpeed);
    m_core->wheel(120);
    EXPECT_EQ(control("HScroll2").value, control("HScroll2").minimum + 1);

    // The pop-up opens with Shift+Alt+G and closes with Enter or Escape.
    report("OPPSANAO-07");
    report("OPPTXMUSB");
    EXPECT_FALSE(m_core->handleKey(Qt::Key_G, Shift | Alt)); // transmit label not CW
    report("OPPTXMCW");
    EXPECT_TRUE(m_core->handleKey(Qt::Key_G, Shift | Alt));
    EXPECT_TRUE(control("Frame4").visible);
    QStringList focus;
    QObject::connect(m_core.get(), &PanelCore::focusRequested, [&](const QString &n) { focus.append(n); });
    EXPECT_TRUE(m_core->handleKey(Qt::Key_Return, 0));
    EXPECT_FALSE(control("Frame4").visible);
    EXPECT_EQ(focus, QStringList{"Text1"}); // Escape: PanelWindowTest.KeyTableWinsOverAccessKeys
}

TEST_F(PanelKeys, EscapeClosesThePopupsAndStopsCwSending)
{
    rig("IC9700:COM3:1:None:None:0:0"); // CW message bar enabled
    report("OPPSANAO-07");
    report("OPPTXMCW");
    m_core->handleKey(Qt::Key_F, Alt);
    m_core->handleKey(Qt::Key_G, Alt);
    m_core->view().setVisible(Control::RitFrame, true);
    takeSent();
    EXPECT_TRUE(m_core->handleKey(Qt::Key_Escape, Shift));
    EXPECT_EQ(takeSent(), QStringList{"RCMCSPL=10"});
    for (const char *f : {"Frame4", "Frame6", "Frame9", "Frame10"})
        EXPECT_FALSE(control(QString::fromUtf8(f)).visible) << f;

    // A shown notice is closed first, with the sound stopped.
    m_core->view().setVisible(Control::MessageFrame, true);
    m_core->handleKey(Qt::Key_Escape, 0);
    EXPECT_EQ(takeSent(), QStringList{"RCMSSP"});
    EXPECT_FALSE(control("Frame7").visible);
}

// Insert and its status panel: PanelWindowTest.CallSignBoxAndCwEditorOverwriteUntilInsertIsOn.
TEST_F(PanelKeys, F10FocusesTheCallSignAndEditKeys)
{
    QStringList focus;
    QObject::connect(m_core.get(), &PanelCore::focusRequested, [&](const QString &n) { focus.append(n); });
    EXPECT_TRUE(m_core->handleKey(Qt::Key_F10, Ctrl));
    EXPECT_EQ(focus, QStringList{"Text1"});

    // Copy, delete and clear.
    QList<PanelCore::Edit> edits;
    QObject::connect(m_core.get(), &PanelCore::editRequested, [&](PanelCore::Edit e) { edits.append(e); });
    EXPECT_TRUE(m_core->handleKey(Qt::Key_C, Ctrl));
    EXPECT_TRUE(m_core->handleKey(Qt::Key_T, Ctrl));
    EXPECT_TRUE(m_core->handleKey(Qt::Key_X, Ctrl));
    EXPECT_EQ(edits, (QList<PanelCore::Edit>{PanelCore::Edit::Copy, PanelCore::Edit::Delete,
                                             PanelCore::Edit::Delete}));
    m_core->setEditText(Control::CallSign, QStringLiteral("JA1ABC"));
    m_core->setEditText(Control::Code, QStringLiteral("59"));
    EXPECT_TRUE(m_core->handleKey(Qt::Key_C, Alt));
    EXPECT_TRUE(control("Text1").text.isEmpty());
    EXPECT_TRUE(control("Text2").text.isEmpty());
}

TEST_F(PanelKeys, ScreenshotsAreNumberedFromOne)
{
    QStringList files;
    QObject::connect(m_core.get(), &PanelCore::screenshotRequested,
                     [&](const QString &p) { files.append(p); });
    EXPECT_FALSE(m_core->handleKey(Qt::Key_B, Ctrl | Alt)); // no image on the clipboard
    m_core->setClipboardHasImage(true);
    EXPECT_TRUE(m_core->handleKey(Qt::Key_B, Ctrl | Alt));
    EXPECT_TRUE(m_core->handleKey(Qt::Key_B, Ctrl | Alt));
    EXPECT_EQ(files, (QStringList{QDir(m_dir.path()).filePath("Velomira画面1.bmp"),
                                  QDir(m_dir.path()).filePath("Velomira画面2.bmp")}));
    makeCore(); // a new start counts from 1 again
    EXPECT_EQ(m_core->screenshotCount(), 0);
}

TEST_F(PanelKeys, ModeChoosersOnUuOnlyForAnIc9700AndTheModeList)
{
    report("OPPSANIO-117");
    EXPECT_FALSE(m_core->handleKey(Qt::Key_G, Alt));
    EXPECT_FALSE(m_core->handleKey(Qt::Key_F, Alt));
    EXPECT_FALSE(m_core->handleKey(Qt::Key_L, Alt));
    rig("IC9700:COM3:1:None:None:0:0");
    EXPECT_TRUE(m_core->handleKey(Qt::Key_G, Alt));
    EXPECT_TRUE(control("Frame9").visible);
    EXPECT_TRUE(m_core->handleKey(Qt::Key_G, Alt));
    EXPECT_FALSE(control("Frame9").visible);
    // The mode list by Alt+L.
    report("OPPSANAO-07");
    report("OPPMLT2");
    EXPECT_TRUE(m_core->handleKey(Qt::Key_L, Alt));
    EXPECT_TRUE(control("Frame13").visible);
    EXPECT_TRUE(m_core->handleKey(Qt::Key_L, Alt));
    EXPECT_FALSE(control("Frame13").visible);
}

TEST_F(PanelKeys, ReceiveChooserShowsFilterAndNoiseControlsForIcom)
{
    m_settings->setValue(keys::RxFilter, "9");
    rig("IC9700:COM3:1:None:None:0:0");
    report("OPPSANAO-07");
    report("OPPRXMLSB1");
    report("OPPNBF1");
    EXPECT_TRUE(m_core->handleKey(Qt::Key_F, Alt));
    EXPECT_TRUE(control("Frame10").visible);
    EXPECT_TRUE(control("Frame16").visible);
    EXPECT_TRUE(control("Option4_2").checked); // "9" reads as 2
    EXPECT_TRUE(control("Option2_2").checked); // LSB
    EXPECT_TRUE(control("Check7").checked);
    takeSent();
    m_core->toggleNb();
    m_core->toggleNr();
    EXPECT_EQ(takeSent(), (QStringList{"RCMNBF0", "RCMNRF1"}));
    EXPECT_FALSE(control("Frame10").visible);

    rig("TS2000:COM3:1:None:None:0:0");
    m_core->handleKey(Qt::Key_F, Alt);
    EXPECT_FALSE(control("Frame16").visible);
}

TEST_F(PanelKeys, QuickMemoriesStoreAndRecall)
{
    report(QStringLiteral("OPPSANAO-07"));
    report(QStringLiteral("OPPRXS145951000"));
    m_core->setEditText(Control::CallSign, QStringLiteral(" JA1ABC "));
    m_core->setEditText(Control::Code, QStringLiteral("PM95"));
    EXPECT_TRUE(m_core->handleKey(Qt::Key_F2, 0));
    EXPECT_EQ(control("Label4_2").text, "145.951");
    EXPECT_EQ(control("Line2_2").value, 145951000.0);
    EXPECT_TRUE(m_core->handleKey(Qt::Key_F1, Alt)); // Alt stores too
    m_core->toggleQuickQsySide();
    takeSent();
    m_core->handleKey(Qt::Key_C, Alt);
    EXPECT_TRUE(m_core->handleKey(Qt::Key_F2, Ctrl));
    EXPECT_EQ(takeSent(), (QStringList{"RCMQSM1", "RCMQQM145951000"}));
    EXPECT_EQ(m_core->quickQsySide(), "1");
    EXPECT_EQ(control("Text1").text, "JA1ABC");
    EXPECT_EQ(control("Text2").text, "PM95");
    // Slot 3 never stored: nothing.
    EXPECT_TRUE(m_core->handleKey(Qt::Key_F3, Ctrl));
    EXPECT_TRUE(takeSent().isEmpty());
    EXPECT_TRUE(m_core->handleKey(Qt::Key_F4, Shift));
    EXPECT_TRUE(takeSent().isEmpty());
    // A satellite change clears them.
    report("OPPSANRS-44");
    takeSent();
    m_core->handleKey(Qt::Key_F2, Shift);
    EXPECT_TRUE(takeSent().isEmpty());
    // Dead on an FM satellite.
    report("OPPSANSO-50");
    EXPECT_FALSE(m_core->handleKey(Qt::Key_F1, 0));
}

TEST_F(PanelKeys, F9TogglesModeCompensationWithATimedNotice)
{
    takeUp("AO-07");
    EXPECT_TRUE(m_core->handleKey(Qt::Key_F9, 0));
    EXPECT_EQ(takeSent(), QStringList{"RCMMDC1"});
    EXPECT_EQ(m_settings->value(keys::ModeComp), "1");
    EXPECT_EQ(m_prompter.seconds.last(), 1);
    // In beacon mode the compensation is the beacon reference the mode
    // already entered: switching it on converts nothing more, switching it
    // off converts back once, and leaving beacon mode then converts no more.
    m_core->handleKey(Qt::Key_F9, Shift);
    m_settings->file().set("SATinfo", "AO-07B-mode_offset", "0");
    m_core->dopplerButton(5);
    m_core->handleKey(Qt::Key_PageUp, 0);
    m_core->handleKey(Qt::Key_PageUp, 0);
    takeSent();
    m_core->handleKey(Qt::Key_F9, 0);
    EXPECT_EQ(takeSent(), QStringList{"RCMMDC1"});
    EXPECT_EQ(m_core->offset(), 200);
    m_core->handleKey(Qt::Key_F9, 0);
    EXPECT_EQ(takeSent().value(0), "RCMOFKC");
    EXPECT_EQ(m_core->offset(), 792); // 200 * 578100000 / 145975000 = 792.05...
    m_core->dopplerButton(0);
    EXPECT_FALSE(takeSent().contains("RCMOFKC"));
    EXPECT_EQ(m_core->offset(), 792);
}

TEST_F(PanelKeys, EmergencyEnd)
{
    m_channel.titles.insert(PanelCore::waterfallTitle());
    int quits = 0;
    QObject::connect(m_core.get(), &PanelCore::quitRequested, [&] { ++quits; });
    EXPECT_FALSE(m_core->handleKey(Qt::Key_Z, Ctrl));
    EXPECT_TRUE(m_core->handleKey(Qt::Key_Z, Ctrl | Alt));
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(takeSent(), QStringList{"RCMEND"});
    EXPECT_EQ(m_channel.closePosted, QStringList{PanelCore::waterfallTitle()});
    m_core->handleKey(Qt::Key_PageUp, 0);
    EXPECT_TRUE(takeSent().isEmpty()); // nothing more is sent
}

TEST_F(PanelKeys, StatusPanelsForRrInpAndXitAndTheCallHistory)
{
    m_core->statusBarClick(11, false);
    EXPECT_EQ(takeSent(), QStringList{"RCMRRT1"});
    EXPECT_EQ(m_settings->value(keys::RrInp), "1");
    m_core->statusBarClick(16, false);
    EXPECT_TRUE(control("Check9").checked);
    m_core->statusBarClick(16, false);
    EXPECT_FALSE(control("Check9").checked);
    // The call history keeps the latest first, once.
    for (const char *call : {"ja1abc", "JH1XYZ", " ja1abc ", ""}) {
        m_core->setEditText(Control::CallSign, QString::fromLatin1(call));
        m_core->addRecentCall();
    }
    EXPECT_EQ(control("List5").items, (QStringList{"JA1ABC", "JH1XYZ"}));
}
