#include "cat/RigModel.h"

#include <gtest/gtest.h>

using namespace vm;

TEST(RigModels, EveryModelIdentifierHasOneRow)
{
    const QStringList ids = {"None",  "ICOM",   "IC705",  "IC7100", "IC821", "IC905",
                             "IC910", "IC911",  "IC9100", "IC9700", "FT817", "FT847",
                             "FT991", "FT2000", "TS590",  "TS990",  "TS2000"};
    EXPECT_EQ(RigModels::all().size(), ids.size());
    for (const QString &id : ids) {
        const RigModelInfo *m = RigModels::find(id);
        ASSERT_NE(m, nullptr) << id.toStdString();
        EXPECT_EQ(m->id, id);
    }
    EXPECT_EQ(RigModels::find(QStringLiteral("IC-9700")), nullptr);
    EXPECT_EQ(RigModels::get(QStringLiteral("bogus")).id, QStringLiteral("None"));
}

TEST(RigModels, StopBitsAndTextProtocolByFamily)
{
    for (const RigModelInfo &m : RigModels::all()) {
        const bool twoStop = m.id == "FT847" || m.id == "FT817" || m.id == "FT2000" || m.id == "FT991";
        EXPECT_EQ(m.stopBits, twoStop ? 2 : 1) << m.id.toStdString();
        EXPECT_EQ(m.textProtocol, m.family == RigFamily::Text) << m.id.toStdString();
    }
}

TEST(RigModels, IcomGroupsAndFactoryAddresses)
{
    EXPECT_EQ(RigModels::get("IC9700").bandGroup, BandGroup::TwinBand);
    EXPECT_EQ(RigModels::get("IC9700").defaultCivAddress, 0xA2);
    EXPECT_EQ(RigModels::get("IC9100").defaultCivAddress, 0x7C);
    EXPECT_EQ(RigModels::get("IC910").defaultCivAddress, 0x60);
    EXPECT_EQ(RigModels::get("IC821").bandGroup, BandGroup::Ic821);
    EXPECT_EQ(RigModels::get("IC821").defaultCivAddress, 0x4C);
    EXPECT_EQ(RigModels::get("IC705").bandGroup, BandGroup::SingleBand);
    EXPECT_EQ(RigModels::get("IC705").defaultCivAddress, 0xA4);
    EXPECT_EQ(RigModels::get("IC7100").defaultCivAddress, 0x88);
    EXPECT_EQ(RigModels::get("IC905").defaultCivAddress, 0xAC);
    for (const RigModelInfo &m : RigModels::all()) {
        if (m.family == RigFamily::IcomCiv) {
            EXPECT_EQ(m.frequencyDigits, 10) << m.id.toStdString();
        }
    }
    EXPECT_EQ(RigModels::get("TS2000").frequencyDigits, 11);
}

TEST(RigModels, SameBandAndRigRoles)
{
    QStringList sameBand;
    QStringList notRig2;
    for (const RigModelInfo &m : RigModels::all()) {
        if (m.sameBand)
            sameBand << m.id;
        if (m.id != "None" && !m.asRig2)
            notRig2 << m.id;
    }
    EXPECT_EQ(sameBand, QStringList({"IC705", "IC7100", "IC905", "IC9700", "FT817", "FT991", "TS2000"}));
    EXPECT_EQ(notRig2, QStringList({"IC705", "IC821", "IC905", "FT847"}));
    QStringList speedRig1;
    for (const RigModelInfo &m : RigModels::all()) {
        if (m.cwSpeedRig1)
            speedRig1 << m.id;
    }
    EXPECT_EQ(speedRig1, QStringList({"IC910", "IC911", "IC9100", "IC9700", "TS2000"}));
}
