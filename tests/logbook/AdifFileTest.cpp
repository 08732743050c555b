#include "logbook/AdifFile.h"
#include "logbook/Adif.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace vm;

namespace {

// A reader written apart from the writer: it walks the bytes, takes each
// field's length as a UTF-8 byte count and skips the header up to <EOH>.
using Record = std::map<std::string, std::string>;
std::vector<Record> readAdif(const QByteArray &bytes, bool *headerSeen)
{
    std::vector<Record> records;
    Record current;
    const std::string s = bytes.toStdString();
    size_t i = 0;
    *headerSeen = false;
    bool inHeader = !s.empty() && s[0] != '<';
    while ((i = s.find('<', i)) != std::string::npos) {
        const size_t close = s.find('>', i);
        std::string tag = s.substr(i + 1, close - i - 1);
        for (char &c : tag)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        i = close + 1;
        if (tag == "EOH") {
            *headerSeen = true;
            inHeader = false;
            current.clear();
        } else if (tag == "EOR") {
            records.push_back(current);
            current.clear();
        } else {
            const size_t colon = tag.find(':');
            const size_t len = std::stoul(tag.substr(colon + 1));
            if (!inHeader)
                current[tag.substr(0, colon)] = s.substr(i, len);
            i += len;
        }
    }
    return records;
}

Qso sample()
{
    Qso q;
    q.call = "ja1xyz/3";
    q.qthCode = "2501";
    q.grid = "PM74";
    q.mode = "LSB";
    q.rstSent = "59";
    q.rstRcvd = "57";
    q.timeOn = QDateTime(QDate(2026, 12, 7), QTime(23, 30, 5), Qt::UTC);
    q.txHz = 145'950'000;
    q.rxHz = 435'800'000;
    q.satName = "AO-07";
    q.comment = "Via AO-07 (Rev#123) 大阪";
    return q;
}

} // namespace

TEST(AdifFile, RecordsReadBackByAnIndependentReader)
{
    QTemporaryDir dir;
    const AdifFile file(dir.filePath("log/contacts.adi"));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    Qso second = sample();
    second.call = "K1ABC";
    second.mode = "CW";
    second.satName.clear();
    QString error;
    ASSERT_TRUE(file.append(sample(), now, &error)) << error.toStdString();
    ASSERT_TRUE(file.append(second, now, &error));

    QFile f(file.path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.count("<EOH>"), 1);
    bool header = false;
    const auto records = readAdif(bytes, &header);
    ASSERT_TRUE(header);
    ASSERT_EQ(records.size(), 2u);
    const Record expected{
        {"CALL", "JA1XYZ/3"},  {"QSO_DATE", "20261207"},   {"TIME_ON", "233005"},     {"BAND", "2m"},
        {"FREQ", "145.950000"}, {"BAND_RX", "70cm"},        {"FREQ_RX", "435.800000"}, {"MODE", "SSB"},
        {"SUBMODE", "LSB"},     {"RST_SENT", "59"},         {"RST_RCVD", "57"},        {"GRIDSQUARE", "PM74"},
        {"APP_VELOMIRA_QTHCODE", "2501"}, {"PROP_MODE", "SAT"}, {"SAT_NAME", "AO-07"}, {"SAT_MODE", "VU"},
        {"COMMENT", "Via AO-07 (Rev#123) 大阪"}};
    EXPECT_EQ(records[0], expected);
    EXPECT_EQ(records[1].at("MODE"), "CW");
    EXPECT_EQ(records[1].count("PROP_MODE"), 0u);
}

TEST(AdifFile, AppendsToAFileAnotherProgramWroteAndAFailedWriteSaysSo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("wsjtx_log.adi");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("WSJT-X ADIF Export<eoh>\n<call:4>W1AW <eor>"); // no final line end
    }
    ASSERT_TRUE(AdifFile(path).append(sample(), QDateTime::currentDateTimeUtc()));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    bool header = false;
    const auto records = readAdif(f.readAll(), &header);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].at("CALL"), "W1AW");
    EXPECT_EQ(records[1].at("CALL"), "JA1XYZ/3");

    QString error;
    for (const QString &bad : {QString(), dir.path() /* a folder */}) {
        EXPECT_FALSE(AdifFile(bad).append(sample(), QDateTime::currentDateTimeUtc(), &error));
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(Adif, SatelliteModeAndRigModes)
{
    // VU: AdifFile.RecordsReadBackByAnIndependentReader.
    EXPECT_EQ(adif::satelliteMode(435'500'000, 145'900'000), "UV");
    EXPECT_EQ(adif::satelliteMode(1'268'000'000, 435'500'000), "LU");
    EXPECT_EQ(adif::satelliteMode(145'900'000, 7'000'000), "");
    EXPECT_EQ(adif::modeOf("usb").mode, "SSB");
    EXPECT_EQ(adif::modeOf("FT4").mode, "MFSK");
    EXPECT_EQ(adif::modeOf("FT8", "X").submode, "X");
}
