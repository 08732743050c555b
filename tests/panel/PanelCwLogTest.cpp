// The CW message bar and the QSO transfer of the panel core.
#include "PanelFixture.h"

#include "common/SettingKeys.h"

#include <QDir>
#include <QFile>

using namespace vm;
using namespace vm::test;

using PanelCwLog = PanelFixture;

TEST_F(PanelCwLog, EditorSavesAndF5KeysTheExpandedMessage)
{
    rig("IC9700:COM3:1:None:None:0:0");
    report("OPPSANRS-44");
    ASSERT_TRUE(m_core->handleKey(Qt::Key_F5, KeyTable::Shift));
    EXPECT_TRUE(control("Frame11").visible);
    EXPECT_EQ(control("Text4").value, 30); // the IC-9700 keys 30 characters
    m_core->typeCwMessage("  #c ur 5nn <bk>  ");
    m_core->saveCwMessage();
    EXPECT_FALSE(control("Frame11").visible);
    EXPECT_EQ(m_settings->file().value("RIG_CON_CFG", "CW Message-1"), "#C UR 5NN BK");
    EXPECT_EQ(control("Label30_0").text, "#C_UR_5NN_BK");

    m_core->setExtendedMode(true);
    m_core->setEditText(Control::CallSign, "JA1XYZ");
    m_channel.titles.insert(PanelCore::awardWindowTitle());
    m_core->setEditText(Control::Code, "1001");
    EXPECT_EQ(m_channel.otherSent, QStringList{"AJA/JCC/JCG 進捗状況|Miravel++++++++1001+"});
    takeSent();
    ASSERT_TRUE(m_core->handleKey(Qt::Key_F5, 0));
    const QString text = "JA1XYZ UR 5NN BK";
    EXPECT_EQ(takeSent(), QStringList{"RCMCWM" + text.toLatin1().toHex().toUpper() + ";L=16"});
    // Extended mode: slot 1 leaves a TX log line with the call and the code.
    const QDir logs(m_settings->value(keys::LogFol));
    const QStringList files = logs.entryList({"*_TX_log.txt"});
    ASSERT_EQ(files.size(), 1);
    QFile txLog(logs.filePath(files[0]));
    ASSERT_TRUE(txLog.open(QIODevice::ReadOnly));
    EXPECT_TRUE(txLog.readAll().contains(" JA1XYZ,1001,RS-44,")) << files[0].toStdString();

    // An FM satellite keys nothing; an emptied message shows its slot name in blue.
    m_core->editCwMessage(1, false);
    m_core->typeCwMessage("");
    m_core->saveCwMessage();
    EXPECT_EQ(control("Label30_0").text, "CM1");
    EXPECT_EQ(control("Label30_0").foreColor, 0xFF0000);
}

TEST_F(PanelCwLog, TransferLogsTheContactOrKeepsItInTheForm)
{
    report("OPPSANRS-44");
    report("OPPTXMLSB");
    m_core->setEditText(Control::CallSign, "JA1XYZ");
    m_core->setEditText(Control::Code, "2501"); // area 1 call, area 3 code: the question
    m_prompter.answer = false;
    EXPECT_FALSE(m_core->transfer());
    EXPECT_FALSE(QFile::exists(path("velomira_log.adi")));
    EXPECT_EQ(control("Text1").text, "JA1XYZ");

    m_prompter.answer = true;
    EXPECT_TRUE(m_core->transfer());
    const QByteArray adif = logged();
    EXPECT_TRUE(adif.contains("<MODE:3>SSB <SUBMODE:3>LSB") && adif.contains("<COMMENT:"))
        << adif.toStdString();
    EXPECT_EQ(control("Text1").text, "");
    EXPECT_EQ(control("List5").items.value(0), "JA1XYZ");

    // Every chosen destination fails: the contact stays with a message naming them.
    m_settings->setValue(keys::AdifFileName, m_dir.path()); // a folder
    m_settings->setValue(keys::LogToHamlog, "1");
    m_core->setEditText(Control::CallSign, "W1AW");
    m_prompter.shown.clear();
    EXPECT_FALSE(m_core->transfer());
    EXPECT_EQ(control("Text1").text, "W1AW");
    ASSERT_EQ(m_prompter.shown.size(), 1);
    EXPECT_TRUE(m_prompter.shown[0].contains("ADIF") && m_prompter.shown[0].contains("HAMLOG"));

    m_core->setEditText(Control::CallSign, "");
    m_prompter.shown.clear();
    EXPECT_FALSE(m_core->transfer());
    EXPECT_EQ(m_prompter.shown, QStringList{"CALL欄が空欄です"});
}

TEST_F(PanelCwLog, DigitalLoggingTakesTheLastContactOfTheWsjtxLog)
{
    report("OPPSANRS-44");
    m_core->setDigitalLogging(path("wsjtx.log")); // not an ADIF log
    EXPECT_FALSE(m_core->transfer());
    EXPECT_EQ(m_prompter.shown, QStringList{"WSJT-XのADIF LOGが見つかりません"});

    ASSERT_TRUE(writeFile(path("wsjtx_log.adi"),
                          "<call:5>K1ABC <mode:3>FT8 <qso_date:8>20261207 <time_on:6>051000 <eor>\n"));
    m_core->setDigitalLogging(path("wsjtx_log.adi"));
    EXPECT_TRUE(m_core->transfer());
    const QByteArray adif = logged();
    EXPECT_TRUE(adif.contains("<CALL:5>K1ABC") && adif.contains("<MODE:3>FT8") &&
                adif.contains("<TIME_ON:6>051000"))
        << adif.toStdString();
}
