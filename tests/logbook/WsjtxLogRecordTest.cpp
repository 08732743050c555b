#include "logbook/WsjtxLogRecord.h"

#include <gtest/gtest.h>

using namespace vm::wsjtxlog;

TEST(WsjtxLogRecord, LastLineWithDomesticTimeInJst)
{
    const QString log = "WSJT-X ADIF Export<eoh>\n"
                        "<call:4>K1AB <mode:3>FT8 <qso_date:8>20261207 <time_on:6>120000 <eor>\n"
                        "<call:6>W1ABCD <gridsquare:4>FN42 <mode:4>MFSK <submode:3>FT4 <rst_sent:3>-10 "
                        "<rst_rcvd:3>-12 <qso_date:8>20261207 <time_on:6>233000 <eor>\n\n";
    const auto foreign = lastContact(log);
    ASSERT_TRUE(foreign);
    EXPECT_EQ(QStringList({foreign->call, foreign->grid, foreign->mode, foreign->rstSent, foreign->rstRcvd,
                           foreign->dateText(), foreign->timeText()}),
              QStringList({"W1ABCD", "FN42", "FT4", "-10", "-12", "26/12/07", "23:30U"}));

    const Contact home =
        parseLine("<CALL:6>7J1ABC <MODE:3>FT8 <SUBMODE:3>FT4 <QSO_DATE:8>20261207 <TIME_ON:6>233000");
    EXPECT_EQ(QStringList({home.mode, home.dateText(), home.timeText()}),
              QStringList({"FT8", "26/12/08", "08:30J"}));
    EXPECT_EQ(toQso(home).timeOn, QDateTime(QDate(2026, 12, 7), QTime(23, 30), Qt::UTC));
    EXPECT_FALSE(lastContact("\n \n"));
}
