#include "logbook/MasterFile.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace vm;

namespace {

QByteArray record(const char *code, const QString &name, quint8 confirmed, quint8 worked)
{
    QByteArray r = QByteArray(code).leftJustified(6, ' ') + name.toUtf8().leftJustified(34, ' ');
    r += QByteArray(6, 'x') + char(confirmed) + 'x' + char(worked) + QByteArray(7, 'x');
    return r;
}

} // namespace

TEST(MasterFile, LookupByCodeAndByPlaceName)
{
    const QByteArray bytes = QByteArray(master::FirstRecordOffset, '\0') + record("1001", "札幌市", 0x80, 0) +
                             record("1002", "旭川市", 0x80, 0x80) + record("1003", "函館市*", 0, 0) +
                             record("2501", "大阪市", 0, 0) + QByteArray(10, 'x');
    const QList<MasterRecord> records = master::parse(bytes);
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(master::lookup(records, "100"),
              (QStringList{"1001    札幌市", "      SAT cfm", "1002    旭川市"}));
    EXPECT_EQ(master::lookup(records, "大阪"), QStringList{"2501    大阪市"});
    EXPECT_EQ(master::lookup(records, "25"), (QStringList{"2501    大阪市", "      SAT 未交信"}));
    EXPECT_TRUE(master::lookup(records, "9").isEmpty());
    EXPECT_EQ(master::pathFor("/home/op/Hamlog.hdb"), "/home/op/Hamlog.mst");
    EXPECT_FALSE(master::read("/nonexistent/Hamlog.mst").has_value());
}
