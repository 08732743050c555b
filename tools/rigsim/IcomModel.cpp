#include "rigsim/IcomModel.h"

namespace vm::sim {

namespace {

constexpr qint64 kHz = 1000;
constexpr qint64 MHz = 1000 * kHz;

const QList<FrequencyRange> kVuShf = {
    {144 * MHz, 148 * MHz}, {430 * MHz, 450 * MHz}, {1240 * MHz, 1300 * MHz}};
const QList<FrequencyRange> kVu = {{144 * MHz, 148 * MHz}, {430 * MHz, 450 * MHz}};
const QList<FrequencyRange> kHfToUhf = {{30 * kHz, 199'999'999}, {400 * MHz, 470 * MHz}};

QList<IcomModel> buildModels()
{
    QList<IcomModel> models;
    const QByteArray sat165A("\x16\x5A", 2);
    const QByteArray sat1A07("\x1A\x07", 2);

    IcomModel ic9700;
    ic9700.id = "IC9700";
    ic9700.displayName = "IC-9700";
    ic9700.address = 0xA2;
    ic9700.twinBand = true;
    ic9700.ranges = kVuShf;
    ic9700.modes = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x07, 0x08, 0x17, 0x22};
    ic9700.satelliteCommand = sat165A;
    ic9700.dataMode = true;
    ic9700.selectedVfoCommands = true;
    ic9700.cwKeying = true;
    ic9700.rit = true;
    ic9700.keyerLevel = 84; // 20 wpm
    ic9700.mainHz = 145'000'000;
    ic9700.subHz = 435'000'000;
    ic9700.settings = {{0x0127, QByteArray(1, '\x01')}}; // CI-V transceive, on
    models << ic9700;

    IcomModel ic910;
    ic910.id = "IC910";
    ic910.displayName = "IC-910";
    ic910.address = 0x60;
    ic910.twinBand = true;
    ic910.ranges = kVuShf; // 1200 MHz with the UX-910 unit
    ic910.modes = {0x00, 0x01, 0x03, 0x05};
    ic910.satelliteCommand = sat1A07;
    ic910.keyerLevel = 66; // 20 wpm on the IC-910 scale
    ic910.mainHz = 145'000'000;
    ic910.subHz = 435'000'000;
    models << ic910;

    // The IC-911 is the domestic edition of the IC-910 and answers the same way.
    IcomModel ic911 = ic910;
    ic911.id = "IC911";
    ic911.displayName = "IC-911";
    models << ic911;

    IcomModel ic9100;
    ic9100.id = "IC9100";
    ic9100.displayName = "IC-9100";
    ic9100.address = 0x7C;
    ic9100.twinBand = true;
    ic9100.ranges = {
        {30 * kHz, 60 * MHz}, {144 * MHz, 148 * MHz}, {430 * MHz, 450 * MHz}, {1240 * MHz, 1300 * MHz}};
    ic9100.modes = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x07, 0x08, 0x17};
    ic9100.satelliteCommand = sat165A;
    ic9100.dataMode = true;
    ic9100.cwKeying = true;
    ic9100.keyerLevel = 84;
    ic9100.mainHz = 145'000'000;
    ic9100.subHz = 435'000'000;
    ic9100.settings = {{0x0058, QByteArray(1, '\x01')}}; // CI-V transceive, on
    models << ic9100;

    IcomModel ic821;
    ic821.id = "IC821";
    ic821.displayName = "IC-821H";
    ic821.address = 0x4C;
    ic821.twinBand = true;
    ic821.ranges = kVu;
    ic821.modes = {0x00, 0x01, 0x03, 0x05};
    ic821.functions = false;
    ic821.mainHz = 145'000'000;
    ic821.subHz = 435'000'000;
    models << ic821;

    IcomModel ic705;
    ic705.id = "IC705";
    ic705.displayName = "IC-705";
    ic705.address = 0xA4;
    ic705.ranges = kHfToUhf;
    ic705.modes = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x17};
    ic705.dataMode = true;
    ic705.selectedVfoCommands = true;
    ic705.cwKeying = true;
    ic705.rit = true;
    ic705.mainHz = 435'000'000;
    ic705.subHz = 435'000'000;
    ic705.settings = {{0x0131, QByteArray(1, '\x01')}}; // CI-V transceive, on
    models << ic705;

    IcomModel ic7100 = ic705;
    ic7100.id = "IC7100";
    ic7100.displayName = "IC-7100";
    ic7100.address = 0x88;
    ic7100.settings = {};
    models << ic7100;

    IcomModel ic905;
    ic905.id = "IC905";
    ic905.displayName = "IC-905";
    ic905.address = 0xAC;
    ic905.ranges = {{144 * MHz, 148 * MHz},   {430 * MHz, 450 * MHz},   {1240 * MHz, 1300 * MHz},
                    {2300 * MHz, 2450 * MHz}, {5650 * MHz, 5925 * MHz}, {10'000 * MHz, 10'500 * MHz}};
    ic905.modes = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x07, 0x08, 0x17, 0x22, 0x23};
    ic905.dataMode = true;
    ic905.selectedVfoCommands = true;
    ic905.cwKeying = true;
    ic905.rit = true;
    ic905.maxFrequencyBytes = 6;
    ic905.mainHz = 435'000'000;
    ic905.subHz = 435'000'000;
    models << ic905;

    // Any other Icom: a present-day single-band transceiver at the IC-7300's address.
    IcomModel generic;
    generic.id = "ICOM";
    generic.displayName = "Icom";
    generic.address = 0x94;
    generic.ranges = {{30 * kHz, 470 * MHz}, {1240 * MHz, 1300 * MHz}};
    generic.modes = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x17};
    generic.dataMode = true;
    generic.selectedVfoCommands = true;
    generic.cwKeying = true;
    generic.rit = true;
    generic.mainHz = 14'200'000;
    generic.subHz = 14'200'000;
    models << generic;

    return models;
}

} // namespace

int IcomModel::rangeIndex(qint64 hz) const
{
    for (int i = 0; i < ranges.size(); ++i) {
        if (ranges.at(i).contains(hz))
            return i;
    }
    return -1;
}

const QList<IcomModel> &IcomModel::all()
{
    static const QList<IcomModel> models = buildModels();
    return models;
}

const IcomModel *IcomModel::find(const QString &id)
{
    for (const IcomModel &model : all()) {
        if (model.id.compare(id, Qt::CaseInsensitive) == 0)
            return &model;
    }
    return nullptr;
}

} // namespace vm::sim
