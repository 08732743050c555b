#include "panel/ui/ScheduleWindow.h"

#include "common/SettingKeys.h"
#include "common/Settings.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vm {

ScheduleWindow::ScheduleWindow(Settings &settings, QWidget *parent) : QWidget(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("OPschd"));
    setWindowTitle(QStringLiteral("OP Schedule")); // the panel finds the window by this title
    auto *layout = new QVBoxLayout(this);
    auto *menu = new QMenuBar(this);
    menu->addAction(tr("全選択"), this, &ScheduleWindow::selectAll);
    menu->addAction(tr("閾値で選択"), this, &ScheduleWindow::selectByThreshold);
    menu->addAction(tr("ヘルプ"), this, &ScheduleWindow::showHelp);
    layout->setMenuBar(menu);

    auto *header = new QLabel(SchedulePasses::header(), this);
    header->setFont(QFont(QStringLiteral("monospace")));
    layout->addWidget(header);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("passes"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(QStringList{tr("衛星")}
                            << QStringLiteral("Date") << QStringLiteral("AOS") << QStringLiteral("Az")
                            << QStringLiteral("MA") << QStringLiteral("MEL") << QStringLiteral("EL")
                            << QStringLiteral("Az") << QStringLiteral("LOS") << QStringLiteral("Az")
                            << QStringLiteral("MA") << QStringLiteral("min") << QStringLiteral("Rev"));
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_list);

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("MEL閾値"), this));
    m_threshold = new QSpinBox(this);
    m_threshold->setObjectName(QStringLiteral("threshold"));
    m_threshold->setRange(0, 90);
    m_threshold->setValue(settings.value(keys::ScheduleThreshold).toInt());
    row->addWidget(m_threshold);
    m_afterNow = new QCheckBox(tr("現時刻以降のみ(&N)"), this);
    m_afterNow->setObjectName(QStringLiteral("afterNow"));
    m_afterNow->setChecked(settings.value(keys::ScheduleAfterNow) == u"1");
    row->addWidget(m_afterNow);
    row->addStretch();
    auto *transfer = new QPushButton(tr("転送(&T)"), this);
    transfer->setObjectName(QStringLiteral("transfer"));
    connect(transfer, &QPushButton::clicked, this, [this] { emit transferRequested(checkedPasses()); });
    row->addWidget(transfer);
    layout->addLayout(row);

    bool topOk = false, leftOk = false;
    const int top = settings.value(keys::ScheduleTop).toInt(&topOk);
    const int left = settings.value(keys::ScheduleLeft).toInt(&leftOk);
    if (topOk && leftOk)
        move(left / 15, top / 15); // twips
    resize(900, 360);
}

void ScheduleWindow::setPasses(std::vector<SchedulePasses::Row> rows, qint64 nowUtcMs)
{
    m_rows = std::move(rows);
    m_nowMs = nowUtcMs;
    m_list->clear();
    for (const SchedulePasses::Row &r : m_rows) {
        QStringList columns = QStringList{r.satellite} << SchedulePasses::fields(r);
        columns << (r.revolution >= 0 ? QString::number(r.revolution) : QString());
        auto *item = new QTreeWidgetItem(m_list, columns);
        item->setCheckState(0, Qt::Unchecked);
    }
}

std::vector<SchedulePasses::Row> ScheduleWindow::checkedPasses() const
{
    std::vector<SchedulePasses::Row> out;
    for (int i = 0; i < m_list->topLevelItemCount() && i < int(m_rows.size()); ++i) {
        if (m_list->topLevelItem(i)->checkState(0) == Qt::Checked)
            out.push_back(m_rows[size_t(i)]);
    }
    return out;
}

void ScheduleWindow::select(bool byThreshold)
{
    const SchedulePasses::Choice choice{byThreshold, double(m_threshold->value()), m_afterNow->isChecked()};
    for (int i = 0; i < m_list->topLevelItemCount() && i < int(m_rows.size()); ++i) {
        const bool on = SchedulePasses::chosen(m_rows[size_t(i)], choice, m_nowMs);
        m_list->topLevelItem(i)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    }
}

void ScheduleWindow::selectAll()
{
    select(false);
}

void ScheduleWindow::selectByThreshold()
{
    select(true);
}

void ScheduleWindow::showHelp()
{
    QMessageBox::information(this, tr("運用スケジュール作成"),
                             tr("今日のパスを軌道要素から予測して一覧にします\n"
                                "リストの項目にチェックを入れて転送釦をクリックします\n"
                                "チェックは手動で各行をクリックする方法の他に\n"
                                "メニューバーの「全選択」「閾値で選択」があります\n"
                                "MEL閾値は設定値以下のMELの場合は選択除外する目的です\n"
                                "オプションとして「現時刻以降のみ」選択があります"));
}

void ScheduleWindow::closeEvent(QCloseEvent *event)
{
    m_settings.setValue(keys::ScheduleTop, QString::number(y() * 15));
    m_settings.setValue(keys::ScheduleLeft, QString::number(x() * 15));
    m_settings.setValue(keys::ScheduleThreshold, QString::number(m_threshold->value()));
    m_settings.setValue(keys::ScheduleAfterNow,
                        m_afterNow->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    event->accept();
}

} // namespace vm
