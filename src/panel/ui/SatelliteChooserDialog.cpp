#include "panel/ui/SatelliteChooserDialog.h"

#include "common/SettingKeys.h"
#include "common/Settings.h"
#include "common/TextFile.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vm {

SatelliteChooserDialog::SatelliteChooserDialog(const QList<SatelliteChooser::Entry> &entries,
                                               const QString &current, const QString &error, QWidget *parent)
    : QDialog(parent), m_entries(entries)
{
    setObjectName(QStringLiteral("SatChooser"));
    setWindowTitle(tr("衛星の選択"));
    auto *layout = new QVBoxLayout(this);
    m_list = new QTableWidget(int(entries.size()) + 1, 3, this);
    m_list->setObjectName(QStringLiteral("SatList"));
    m_list->setHorizontalHeaderLabels({tr("衛星"), tr("仰角"), tr("次のAOS")});
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->setItem(0, 0, new QTableWidgetItem(tr("自動")));
    m_list->setItem(0, 1, new QTableWidgetItem(QString()));
    m_list->setItem(0, 2, new QTableWidgetItem(QString()));
    int selected = 0;
    for (int i = 0; i < entries.size(); ++i) {
        const SatelliteChooser::Entry &e = entries.at(i);
        m_list->setItem(i + 1, 0, new QTableWidgetItem(e.name));
        m_list->setItem(i + 1, 1,
                        new QTableWidgetItem(e.staleEpoch ? QStringLiteral("-")
                                                          : QString::number(e.elevationDeg, 'f', 1) + u'°'));
        const QString aos = e.staleEpoch      ? tr("要素が古い")
                            : e.up            ? tr("運用中")
                            : e.nextAosMs > 0 ? QDateTime::fromMSecsSinceEpoch(e.nextAosMs)
                                                    .toLocalTime()
                                                    .toString(QStringLiteral("MM/dd hh:mm"))
                                              : QStringLiteral("-");
        m_list->setItem(i + 1, 2, new QTableWidgetItem(aos));
        if (e.name.compare(current, Qt::CaseInsensitive) == 0)
            selected = i + 1;
    }
    m_list->selectRow(selected);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->resizeColumnsToContents();
    layout->addWidget(m_list);
    if (!error.isEmpty()) {
        auto *label = new QLabel(error, this);
        label->setObjectName(QStringLiteral("ErrorText"));
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(380, 320);
}

QString SatelliteChooserDialog::chosen() const
{
    const int row = m_list->currentRow();
    if (row <= 0 || row > m_entries.size())
        return QString();
    return m_entries.at(row - 1).name;
}

} // namespace vm

namespace vm {

std::optional<QString> SatelliteChooserDialog::choose(const SatelliteTable &table, const Settings &settings,
                                                      const QString &dataDir, qint64 nowUtcMs,
                                                      QWidget *parent)
{
    QList<SatelliteChooser::Entry> entries;
    QString error;
    const auto station = SatelliteChooser::station(settings);
    const QString tlePath = SatelliteChooser::tleFile(settings, dataDir);
    QString readError;
    const auto text = TextFile::read(tlePath, &readError);
    if (!station)
        error = tr("局の位置がありません ([QTH] Latitude/Longitude か Locator を設定して下さい)");
    else if (!text)
        error = tr("TLE ファイルが読めません: ") + tlePath;
    else {
        entries = SatelliteChooser::entries(table, *text, *station, nowUtcMs);
        error = SatelliteChooser::staleMessage(entries);
    }
    SatelliteChooserDialog dialog(entries, settings.value(keys::TrackSatellite), error, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

} // namespace vm
